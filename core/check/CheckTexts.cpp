#include "core/check/CheckTexts.h"

#include "core/check/KeyedTexts.h"
#include "core/services/TextCatalogue.h"

#include <array>

namespace korvex {

namespace {

constexpr KeyedText kRows[] = {
    {"sensor-fault",
     {
         "Fühler zeigt Err oder außerhalb -40 ... 250 °C: Unterbrechung oder Kurzschluss, Fühler oder Kabel defekt",
         "Sensor reads Err or outside -40 ... 250 °C: open or short circuit, broken sensor or cable",
         "Sonde indique Err ou hors de -40 ... 250 °C : circuit ouvert ou court-circuit, sonde ou câble défectueux",
         "La sonda indica Err o fuera de -40 ... 250 °C: circuito abierto o cortocircuito, sonda o cable averiados",
         "La sonda indica Err o è fuori da -40 ... 250 °C: circuito aperto o cortocircuito, sonda o cavo guasti",
         "A sonda indica Err ou fora de -40 ... 250 °C: circuito aberto ou curto-circuito, sonda ou cabo avariados",
     }},
    {"sensor-stuck",
     {
         "Fühlerwert einen Tag oder länger unverändert: Fühler, Kabel oder Reglereingang hängt",
         "Sensor value unchanged for a day or longer: sensor, cable or controller input stuck",
         "Valeur de sonde inchangée pendant un jour ou plus : sonde, câble ou entrée du régulateur bloqués",
         "Valor de la sonda sin cambios durante un día o más: sonda, cable o entrada del regulador bloqueados",
         "Valore della sonda invariato per un giorno o più: sonda, cavo o ingresso della centralina bloccati",
         "Valor da sonda inalterado durante um dia ou mais: sonda, cabo ou entrada do controlador bloqueados",
     }},
    {"log-gap",
     {
         "Protokollzeilen fehlen: Regler oder Datenlogger ausgeschaltet oder Speicher voll",
         "Log lines missing: controller or data logger switched off or storage full",
         "Lignes de journal manquantes : régulateur ou enregistreur éteint, ou mémoire pleine",
         "Faltan líneas del registro: regulador o registrador apagado o memoria llena",
         "Mancano righe del registro: centralina o datalogger spenti o memoria piena",
         "Faltam linhas do registo: controlador ou registador desligado ou memória cheia",
     }},
    {"missing-days",
     {
         "Keine Protokolldatei für diese Tage",
         "No log file for these days",
         "Aucun fichier journal pour ces jours",
         "No hay archivo de registro para estos días",
         "Nessun file di registro per questi giorni",
         "Nenhum ficheiro de registo para estes dias",
     }},
    {"missing-days-failed",
     {
         "Keine lesbare Protokolldatei für diese Tage (eine Datei war fehlerhaft)",
         "No readable log file for these days (a file failed)",
         "Aucun fichier journal lisible pour ces jours (un fichier était défectueux)",
         "No hay archivo de registro legible para estos días (un archivo falló)",
         "Nessun file di registro leggibile per questi giorni (un file non era valido)",
         "Nenhum ficheiro de registo legível para estes dias (um ficheiro falhou)",
     }},
    {"night-circulation",
     {
         "Kollektor nachts warm bei ausgeschalteter Pumpe: Wärme verlässt den Speicher durch Schwerkraftzirkulation (Schwerkraftbremse, Ventil oder Uhr des Reglers)",
         "Collector warm at night with the pump off: heat leaves the store by gravity circulation (gravity brake, valve or the controller's clock)",
         "Capteur chaud la nuit avec la pompe arrêtée : la chaleur quitte le ballon par thermosiphon (clapet anti-thermosiphon, vanne ou horloge du régulateur)",
         "Colector caliente de noche con la bomba parada: el calor sale del acumulador por termosifón (freno de termosifón, válvula o reloj del regulador)",
         "Collettore caldo di notte con la pompa ferma: il calore esce dall'accumulo per circolazione naturale (valvola antitermosifone, valvola o orologio della centralina)",
         "Coletor quente à noite com a bomba parada: o calor sai do depósito por termossifão (travão de termossifão, válvula ou relógio do controlador)",
     }},
    {"delta-t-high",
     {
         "Kollektor weit über dem Speicher bei laufender Pumpe: schwache Pumpe, verstopfte Teile oder Luft im Kreis",
         "Collector far above the store while the pump runs: weak pump, blocked parts or air in the circuit",
         "Capteur très au-dessus du ballon avec la pompe en marche : pompe faible, pièces obstruées ou air dans le circuit",
         "Colector muy por encima del acumulador con la bomba en marcha: bomba débil, piezas obstruidas o aire en el circuito",
         "Collettore molto sopra l'accumulo con la pompa in funzione: pompa debole, parti ostruite o aria nel circuito",
         "Coletor muito acima do depósito com a bomba a funcionar: bomba fraca, peças obstruídas ou ar no circuito",
     }},
    {"no-flow",
     {
         "Pumpe an ohne Durchfluss: Pumpendefekt, Luft, geschlossenes Ventil oder Dampf",
         "Pump on without flow: pump fault, air, a closed valve or vapour",
         "Pompe en marche sans débit : pompe défectueuse, air, vanne fermée ou vapeur",
         "Bomba en marcha sin caudal: avería de la bomba, aire, válvula cerrada o vapor",
         "Pompa accesa senza portata: guasto della pompa, aria, valvola chiusa o vapore",
         "Bomba ligada sem caudal: avaria da bomba, ar, válvula fechada ou vapor",
     }},
    {"stagnation",
     {
         "Kollektor in Stagnation: Speicher voll oder Wärme wird nicht abgenommen",
         "Collector in stagnation: the store is full or the heat is not taken away",
         "Capteur en stagnation : le ballon est plein ou la chaleur n'est pas évacuée",
         "Colector en estancamiento: el acumulador está lleno o no se extrae el calor",
         "Collettore in stagnazione: l'accumulo è pieno o il calore non viene prelevato",
         "Coletor em estagnação: o depósito está cheio ou o calor não é retirado",
     }},
    {"pump-not-running",
     {
         "Pumpe aus, obwohl der Kollektor deutlich über dem Speicher liegt: Reglerausgang, Relais oder Pumpe defekt",
         "Pump off although the collector is well above the store: controller output, relay or pump fault",
         "Pompe arrêtée alors que le capteur est bien au-dessus du ballon : sortie du régulateur, relais ou pompe défectueux",
         "Bomba parada aunque el colector está muy por encima del acumulador: avería de la salida del regulador, del relé o de la bomba",
         "Pompa ferma anche se il collettore è ben sopra l'accumulo: guasto dell'uscita della centralina, del relè o della pompa",
         "Bomba parada embora o coletor esteja bem acima do depósito: avaria da saída do controlador, do relé ou da bomba",
     }},
    {"pump-cycling",
     {
         "Pumpe startet sehr oft: Durchfluss zu hoch, Fühlerposition oder Schaltdifferenz zu klein",
         "Pump starts very often: flow too high, sensor placement or switching difference too small",
         "La pompe démarre très souvent : débit trop élevé, position de sonde ou différentiel trop faible",
         "La bomba arranca con mucha frecuencia: caudal demasiado alto, posición de la sonda o diferencial demasiado pequeño",
         "La pompa si avvia molto spesso: portata troppo alta, posizione della sonda o differenziale troppo piccolo",
         "A bomba arranca muitas vezes: caudal demasiado alto, posição da sonda ou diferencial demasiado pequeno",
     }},
    {"heading-rule",
     {
         "Regel",
         "Rule",
         "Règle",
         "Regla",
         "Regola",
         "Regra",
     }},
    {"heading-fields",
     {
         "Felder",
         "Fields",
         "Champs",
         "Campos",
         "Campi",
         "Campos",
     }},
    {"heading-start",
     {
         "Beginn",
         "Start",
         "Début",
         "Inicio",
         "Inizio",
         "Início",
     }},
    {"heading-end",
     {
         "Ende",
         "End",
         "Fin",
         "Fin",
         "Fine",
         "Fim",
     }},
    {"heading-peak",
     {
         "Spitze",
         "Peak",
         "Pic",
         "Pico",
         "Picco",
         "Pico",
     }},
    {"heading-text",
     {
         "Text",
         "Text",
         "Texte",
         "Texto",
         "Testo",
         "Texto",
     }},
};

} // namespace

const char* CheckText(std::string_view key)
{
    return FindKeyedText(kRows, CurrentTextBlock(), key);
}

} // namespace korvex
