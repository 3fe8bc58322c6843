// --help in the languages other than English, which is kReportUsage beside the parser.

#include "core/services/TextCatalogue.h"
#include "tools/report/ReportMessages.h"
#include "tools/report/ReportOptions.h"

namespace korvex::report {

namespace {

// The option lines as in English: option names and values are the same in every language.
#define KORVEX_REPORT_SYNOPSIS(usage, dir, file)                                                   \
    usage " korvex-report " dir " [--from YYYY-MM-DD] [--to YYYY-MM-DD]\n"                         \
          "                     [--language de|en|fr|es|it|pt] [--table daily|monthly|annual]\n"   \
          "                     [--span 1h|3h|8h|day|month|quarter|year [--at YYYY-MM-DD]]\n"      \
          "                     [--device NN] [--json] [--progress]\n"                             \
          "       korvex-report " dir " --picture " file ".jpg|" file                              \
          ".bmp [--view chart|table]\n"                                                            \
          "                     --span 1h|...|year [--at YYYY-MM-DD] [--device NN]\n"              \
          "                     [--graphs KEY,KEY...] [--from ...] [--to ...] [--language ..]\n"   \
          "       korvex-report " dir                                                              \
          " --stats --span 1h|...|year [--at 'YYYY-MM-DD[ hh:mm]']\n"                              \
          "                     [--device NN] [--json] [--from ...] [--to ...]\n"                  \
          "       korvex-report " dir " --workbook " file                                          \
          ".xlsx [--from ...] [--to ...] [--language ..]\n"                                        \
          "                     [--device NN]\n"                                                   \
          "       korvex-report " dir " --check [--roles NN:ROLE=KEY,...;NN:...] [--device NN]\n"   \
          "                     [--json] [--from ...] [--to ...] [--language ..]\n"               \
          "       korvex-report --help | --version\n"

// clang-format off
const char* const kGerman = KORVEX_REPORT_SYNOPSIS("Aufruf:", "DIR", "DATEI")
    "  Liest die Protokolldateien von DIR und seinen Unterverzeichnissen (zwei Ebenen) f\u00fcr\n"
    "  die Tage --from bis --to (Vorgabe: alle gefundenen Tage) und gibt eine Ertragstabelle\n"
    "  als Semikolon-getrennten Windows-1252-Text mit CR LF aus.\n"
    "  --table     welche Ertragstabelle (Vorgabe daily: Tage)\n"
    "  --span/--at die Tabelle, wie das Analysefenster sie f\u00fcr ein Zeitfenster dieser L\u00e4nge\n"
    "              an diesem Tag zeigt (Vorgabe: der erste Tag mit Daten), und den Titel\n"
    "              des Fensters mit der Ertragszusammenfassung\n"
    "  --device    nur die Spalten dieses Ger\u00e4ts (Vorgabe: alle Ger\u00e4te)\n"
    "  --json      ein JSON-Dokument (UTF-8) mit Dateien, Tagen, Ger\u00e4ten, Feldern und Tabellen\n"
    "  --progress  ein Fortschrittsbalken auf der Fehlerausgabe w\u00e4hrend des Ladens\n"
    "  --picture   speichert, was das Analysefenster f\u00fcr --span/--at zeigt, als JPEG- oder\n"
    "              Bitmap-Bild (nach der Endung des Namens) und gibt den Dateinamen aus;\n"
    "              die Diagramme oder mit --view table die Tabelle; --device w\u00e4hlt den\n"
    "              Ger\u00e4tereiter (Vorgabe: das erste Ger\u00e4t); --graphs die gezeigten\n"
    "              Messwerte nach ihren K\u00fcrzeln wie T1,P,R1 (Vorgabe: alle Messwerte und\n"
    "              Ausg\u00e4nge des Ger\u00e4ts). Braucht keine Anzeige.\n"
    "  --stats     je Messfeld des Fensters von --span/--at: Minimum und Maximum mit ihren\n"
    "              Zeiten, der zeitgewichtete Mittelwert und bei Leistung und Durchfluss\n"
    "              die Energie oder das Volumen; eine Zeile je Feld, mit --json ein Dokument\n"
    "  --workbook  schreibt die Tages-, Monats- und Jahrestabelle als die drei Bl\u00e4tter einer\n"
    "              .xlsx-Arbeitsmappe (Zahlen und Daten als solche) und gibt ihren Namen aus\n"
    "  --check     die Funktionskontrolle: jeder Vorfall der Protokolle (Regel, Ger\u00e4t, Felder,\n"
    "              Beginn, Ende, Spitze, Text); --roles setzt die Rollen eines Ger\u00e4ts\n"
    "              (collector, store, pump, flow) auf Feldk\u00fcrzel, die anderen auf keine;\n"
    "              --at mit Uhrzeit (\"YYYY-MM-DD hh:mm\") beginnt --stats genau dort\n"
    "  --language  Sprache der Tabellen, Bilder und Meldungen; ohne sie entscheidet die erste\n"
    "              gesetzte von LC_ALL, LC_MESSAGES, LANG (de, en, fr, es, it, pt; andere\n"
    "              Englisch), und --json ist Englisch\n"
    "  R\u00fcckgabewerte: 0 Erfolg, 1 keine Datei ladbar oder nichts geschrieben,\n"
    "  2 Aufruffehler, 3 --check fand einen Vorfall an der Anlage.\n";

const char* const kFrench = KORVEX_REPORT_SYNOPSIS("utilisation :", "R\u00c9P", "FICHIER")
    "  Lit les fichiers journaux de R\u00c9P et de ses sous-r\u00e9pertoires (deux niveaux) pour les\n"
    "  jours --from \u00e0 --to (par d\u00e9faut : tous les jours trouv\u00e9s) et \u00e9crit un tableau de\n"
    "  rendements en texte Windows-1252 s\u00e9par\u00e9 par des points-virgules, avec CR LF.\n"
    "  --table     quel tableau de rendements (par d\u00e9faut daily : les jours)\n"
    "  --span/--at le tableau tel que la fen\u00eatre d'analyse le montre pour une fen\u00eatre de\n"
    "              temps de cette dur\u00e9e \u00e0 ce jour (par d\u00e9faut : le premier jour avec des\n"
    "              donn\u00e9es), et le titre de la fen\u00eatre avec le r\u00e9sum\u00e9 des rendements\n"
    "  --device    seulement les colonnes de cet appareil (par d\u00e9faut : tous les appareils)\n"
    "  --json      un document JSON (UTF-8) avec fichiers, jours, appareils, champs et tableaux\n"
    "  --progress  une barre de progression sur la sortie d'erreur pendant le chargement\n"
    "  --picture   enregistre ce que la fen\u00eatre d'analyse montre pour --span/--at comme image\n"
    "              JPEG ou bitmap (selon l'extension du nom) et \u00e9crit le nom du fichier ;\n"
    "              les graphiques, ou avec --view table le tableau ; --device choisit\n"
    "              l'onglet de l'appareil (par d\u00e9faut : le premier) ; --graphs les valeurs\n"
    "              mesur\u00e9es montr\u00e9es, par leurs cl\u00e9s comme T1,P,R1 (par d\u00e9faut : toutes\n"
    "              les valeurs mesur\u00e9es et sorties de l'appareil). Sans \u00e9cran.\n"
    "  --stats     pour chaque champ mesur\u00e9 de la fen\u00eatre --span/--at : minimum et maximum\n"
    "              avec leurs heures, la moyenne pond\u00e9r\u00e9e dans le temps et, pour la\n"
    "              puissance et le d\u00e9bit, l'\u00e9nergie ou le volume ; une ligne par champ,\n"
    "              ou avec --json un document\n"
    "  --workbook  \u00e9crit les tableaux journalier, mensuel et annuel comme les trois feuilles\n"
    "              d'un classeur .xlsx (nombres et dates comme tels) et \u00e9crit son nom\n"
    "  --check     le contr\u00f4le de fonctionnement : chaque incident des journaux (r\u00e8gle,\n"
    "              appareil, champs, d\u00e9but, fin, pic, texte) ; --roles fixe les r\u00f4les\n"
    "              d'un appareil (collector, store, pump, flow), les autres aucun ;\n"
    "              --at avec une heure (\"YYYY-MM-DD hh:mm\") fait d\u00e9buter --stats l\u00e0\n"
    "  --language  langue des tableaux, des images et des messages ; sans elle, la premi\u00e8re\n"
    "              d\u00e9finie de LC_ALL, LC_MESSAGES, LANG d\u00e9cide (de, en, fr, es, it, pt ;\n"
    "              autres : anglais), et --json est en anglais\n"
    "  Codes de sortie : 0 succ\u00e8s, 1 aucun fichier charg\u00e9 ou rien d'\u00e9crit,\n"
    "  2 erreur d'utilisation, 3 --check a trouv\u00e9 un incident de l'installation.\n";

const char* const kSpanish = KORVEX_REPORT_SYNOPSIS("uso:", "DIR", "ARCHIVO")
    "  Lee los archivos de registro de DIR y de sus subdirectorios (dos niveles) para los\n"
    "  d\u00edas --from a --to (por defecto: todos los d\u00edas encontrados) y escribe una tabla de\n"
    "  rendimientos como texto Windows-1252 separado por punto y coma, con CR LF.\n"
    "  --table     qu\u00e9 tabla de rendimientos (por defecto daily: los d\u00edas)\n"
    "  --span/--at la tabla tal como la ventana de an\u00e1lisis la muestra para un intervalo de\n"
    "              esa duraci\u00f3n en ese d\u00eda (por defecto: el primer d\u00eda con datos), y el\n"
    "              t\u00edtulo de la ventana con el resumen de rendimientos\n"
    "  --device    solo las columnas de este equipo (por defecto: todos los equipos)\n"
    "  --json      un documento JSON (UTF-8) con archivos, d\u00edas, equipos, campos y tablas\n"
    "  --progress  una barra de progreso en la salida de errores durante la carga\n"
    "  --picture   guarda lo que la ventana de an\u00e1lisis muestra para --span/--at como imagen\n"
    "              JPEG o bitmap (seg\u00fan la extensi\u00f3n del nombre) y escribe el nombre;\n"
    "              los gr\u00e1ficos, o con --view table la tabla; --device elige la pesta\u00f1a\n"
    "              del equipo (por defecto: el primero); --graphs los valores medidos\n"
    "              mostrados, por sus claves como T1,P,R1 (por defecto: todos los valores\n"
    "              medidos y salidas del equipo). No necesita pantalla.\n"
    "  --stats     por cada campo medido de la ventana --span/--at: m\u00ednimo y m\u00e1ximo con sus\n"
    "              horas, la media ponderada en el tiempo y, para potencia y caudal, la\n"
    "              energ\u00eda o el volumen; una l\u00ednea por campo, o con --json un documento\n"
    "  --workbook  escribe las tablas diaria, mensual y anual como las tres hojas de un libro\n"
    "              .xlsx (n\u00fameros y fechas como tales) y escribe su nombre\n"
    "  --check     el control de funcionamiento: cada incidente de los registros (regla,\n"
    "              equipo, campos, inicio, fin, pico, texto); --roles fija los roles de un\n"
    "              equipo (collector, store, pump, flow), los dem\u00e1s ninguno; --at con\n"
    "              hora (\"YYYY-MM-DD hh:mm\") hace empezar --stats justo ah\u00ed\n"
    "  --language  idioma de las tablas, las im\u00e1genes y los mensajes; sin \u00e9l decide la\n"
    "              primera definida de LC_ALL, LC_MESSAGES, LANG (de, en, fr, es, it, pt;\n"
    "              otras: ingl\u00e9s), y --json va en ingl\u00e9s\n"
    "  C\u00f3digos de salida: 0 \u00e9xito, 1 ning\u00fan archivo cargado o nada escrito,\n"
    "  2 error de uso, 3 --check encontr\u00f3 un incidente de la instalaci\u00f3n.\n";

const char* const kItalian = KORVEX_REPORT_SYNOPSIS("uso:", "DIR", "FILE")
    "  Legge i file di registro di DIR e delle sue sottocartelle (due livelli) per i giorni\n"
    "  da --from a --to (predefinito: tutti i giorni trovati) e scrive una tabella dei\n"
    "  rendimenti come testo Windows-1252 separato da punto e virgola, con CR LF.\n"
    "  --table     quale tabella dei rendimenti (predefinito daily: i giorni)\n"
    "  --span/--at la tabella come la finestra di analisi la mostra per un intervallo di\n"
    "              quella durata in quel giorno (predefinito: il primo giorno con dati), e il\n"
    "              titolo della finestra con il riepilogo dei rendimenti\n"
    "  --device    solo le colonne di questo dispositivo (predefinito: tutti i dispositivi)\n"
    "  --json      un documento JSON (UTF-8) con file, giorni, dispositivi, campi e tabelle\n"
    "  --progress  una barra di avanzamento sull'output degli errori durante il caricamento\n"
    "  --picture   salva ci\u00f2 che la finestra di analisi mostra per --span/--at come immagine\n"
    "              JPEG o bitmap (secondo l'estensione del nome) e scrive il nome del file;\n"
    "              i grafici, o con --view table la tabella; --device sceglie la scheda del\n"
    "              dispositivo (predefinito: il primo); --graphs i valori misurati mostrati,\n"
    "              per chiave come T1,P,R1 (predefinito: tutti i valori misurati e le\n"
    "              uscite del dispositivo). Non serve uno schermo.\n"
    "  --stats     per ogni campo misurato della finestra --span/--at: minimo e massimo con i\n"
    "              loro orari, la media ponderata nel tempo e, per potenza e portata, l'energia\n"
    "              o il volume; una riga per campo, o con --json un documento\n"
    "  --workbook  scrive le tabelle giornaliera, mensile e annuale come i tre fogli di una\n"
    "              cartella di lavoro .xlsx (numeri e date come tali) e ne scrive il nome\n"
    "  --check     il controllo di funzionamento: ogni incidente dei registri (regola,\n"
    "              dispositivo, campi, inizio, fine, picco, testo); --roles fissa i ruoli\n"
    "              di un dispositivo (collector, store, pump, flow), gli altri nessuno;\n"
    "              --at con l'ora (\"YYYY-MM-DD hh:mm\") fa iniziare --stats proprio l\u00ec\n"
    "  --language  lingua delle tabelle, delle immagini e dei messaggi; senza, decide la prima\n"
    "              impostata fra LC_ALL, LC_MESSAGES, LANG (de, en, fr, es, it, pt; altre:\n"
    "              inglese), e --json \u00e8 in inglese\n"
    "  Codici di uscita: 0 successo, 1 nessun file caricato o niente scritto,\n"
    "  2 errore d'uso, 3 --check ha trovato un incidente dell'impianto.\n";

const char* const kPortuguese = KORVEX_REPORT_SYNOPSIS("uso:", "DIR", "FICHEIRO")
    "  L\u00ea os ficheiros de registo de DIR e dos seus subdiret\u00f3rios (dois n\u00edveis) para os\n"
    "  dias --from a --to (por omiss\u00e3o: todos os dias encontrados) e escreve uma tabela de\n"
    "  rendimentos como texto Windows-1252 separado por ponto e v\u00edrgula, com CR LF.\n"
    "  --table     que tabela de rendimentos (por omiss\u00e3o daily: os dias)\n"
    "  --span/--at a tabela tal como a janela de an\u00e1lise a mostra para um intervalo dessa\n"
    "              dura\u00e7\u00e3o nesse dia (por omiss\u00e3o: o primeiro dia com dados), e o t\u00edtulo\n"
    "              da janela com o resumo dos rendimentos\n"
    "  --device    s\u00f3 as colunas deste aparelho (por omiss\u00e3o: todos os aparelhos)\n"
    "  --json      um documento JSON (UTF-8) com ficheiros, dias, aparelhos, campos e tabelas\n"
    "  --progress  uma barra de progresso na sa\u00edda de erros durante o carregamento\n"
    "  --picture   guarda o que a janela de an\u00e1lise mostra para --span/--at como imagem\n"
    "              JPEG ou bitmap (pela extens\u00e3o do nome) e escreve o nome do ficheiro;\n"
    "              os gr\u00e1ficos, ou com --view table a tabela; --device escolhe o separador\n"
    "              do aparelho (por omiss\u00e3o: o primeiro); --graphs os valores medidos\n"
    "              mostrados, pelas chaves como T1,P,R1 (por omiss\u00e3o: todos os valores\n"
    "              medidos e sa\u00eddas do aparelho). N\u00e3o precisa de ecr\u00e3.\n"
    "  --stats     por cada campo medido da janela --span/--at: m\u00ednimo e m\u00e1ximo com as\n"
    "              suas horas, a m\u00e9dia ponderada no tempo e, para pot\u00eancia e caudal, a\n"
    "              energia ou o volume; uma linha por campo, ou com --json um documento\n"
    "  --workbook  escreve as tabelas di\u00e1ria, mensal e anual como as tr\u00eas folhas de um\n"
    "              livro .xlsx (n\u00fameros e datas como tal) e escreve o seu nome\n"
    "  --check     o controlo de funcionamento: cada incidente dos registos (regra,\n"
    "              dispositivo, campos, in\u00edcio, fim, pico, texto); --roles define os\n"
    "              pap\u00e9is de um dispositivo (collector, store, pump, flow), os outros nenhum;\n"
    "              --at com hora (\"YYYY-MM-DD hh:mm\") faz --stats come\u00e7ar a\u00ed\n"
    "  --language  idioma das tabelas, das imagens e das mensagens; sem ele decide a primeira\n"
    "              definida de LC_ALL, LC_MESSAGES, LANG (de, en, fr, es, it, pt; outras:\n"
    "              ingl\u00eas), e --json \u00e9 em ingl\u00eas\n"
    "  C\u00f3digos de sa\u00edda: 0 sucesso, 1 nenhum ficheiro carregado ou nada escrito,\n"
    "  2 erro de utiliza\u00e7\u00e3o, 3 --check encontrou um incidente da instala\u00e7\u00e3o.\n";
// clang-format on

#undef KORVEX_REPORT_SYNOPSIS

} // namespace

const char* HelpText(int block)
{
    switch (block) {
        case BlockGerman:
            return kGerman;
        case BlockFrench:
            return kFrench;
        case BlockSpanish:
            return kSpanish;
        case BlockItalian:
            return kItalian;
        case BlockPortuguese:
            return kPortuguese;
        default:
            return kReportUsage;
    }
}

} // namespace korvex::report
