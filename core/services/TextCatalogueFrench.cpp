// French texts of the catalogue.
// Each row is the text of the same index in every block; blanks at either end are part of it.

#include "core/services/TextCatalogueBlocks.h"

#include <iterator>

namespace korvex::detail {

namespace {

constexpr const char* kRows[] = {
    /*   0 */ "Fichier",
    /*   1 */ "Ouvrir",
    /*   2 */ "Fermer",
    /*   3 */ "Enregistrer",
    /*   4 */ "Imprimer",
    /*   5 */ "Quitter",
    /*   6 */ "Réglages",
    /*   7 */ "Nouvelles fenêtres",
    /*   8 */ "Fenêtre actuelle",
    /*   9 */ "Sélection de la langue",
    /*  10 */ "Fenêtre",
    /*  11 */ "Cascade",
    /*  12 */ "Mosaïque horizontale",
    /*  13 */ "Réduire tout",
    /*  14 */ "Info",
    /*  15 */ "Nouveau",
    /*  16 */ "Analyse du ",
    /*  17 */ "Analyse du ",
    /*  18 */ " au ",
    /*  19 */ ". (",
    /*  20 */ " fichiers trouvés)",
    /*  21 */ "Période affichée",
    /*  22 */ "Barre de défilement",
    /*  23 */ "Ouvrir dans Excel",
    /*  24 */ "1 heure",
    /*  25 */ "3 heures",
    /*  26 */ "8 heures",
    /*  27 */ "1 jour",
    /*  28 */ "1 mois",
    /*  29 */ "Options graphiques et d'affichage",
    /*  30 */ "Largeur de ligne",
    /*  31 */ "Échelle de l'axe Y",
    /*  32 */ "dynamique",
    /*  33 */ "fixe",
    /*  34 */ "Min",
    /*  35 */ "Max",
    /*  36 */ "Afficher les sorties en :",
    /*  37 */ "Afficher en :",
    /*  38 */ "Barres",
    /*  39 */ "Lignes",
    /*  40 */ "Titre du diagramme",
    /*  41 */ "Titre d'impression",
    /*  42 */ "Par défaut",
    /*  43 */ "Annuler",
    /*  44 */ "OK",
    /*  45 */ "Valeur mesurée sélectionnable",
    /*  46 */ "Entrées",
    /*  47 */ "Autres valeurs mesurées",
    /*  48 */ "Sorties",
    /*  49 */ "Question",
    /*  50 */ "Erreur",
    /*  51 */ "Avertissement",
    /*  52 */ "Informations",
    /*  53 */ "Date",
    /*  54 */ "Société",
    /*  55 */ "Sonde de température 1",
    /*  56 */ "Sonde de température 2",
    /*  57 */ "Sonde de température 3",
    /*  58 */ "Sonde de température 4",
    /*  59 */ "Sonde de température 5",
    /*  60 */ "Sonde de température 6",
    /*  61 */ "Sonde de température directe",
    /*  62 */ "Débit",
    /*  63 */ "Puissance thermique",
    /*  64 */ "Somme du débit",
    /*  65 */ "Somme de l'énergie",
    /*  66 */ "Sortie 1",
    /*  67 */ "Sortie 2",
    /*  68 */ "Sortie 3",
    /*  69 */ "Sortie de signalisation de défaut",
    /*  70 */ "Version",
    /*  71 */ "Fichiers journaux",
    /*  72 */ "Fichiers image",
    /*  73 */ "Tous les fichiers",
    /*  74 */ "Date de début",
    /*  75 */ "Date de fin",
    /*  76 */ "Parcourir...",
    /*  77 */ "Analyser",
    /*  78 */ "Appuyez sur la touche Échap pour annuler.",
    /*  79 */ "Annulation par l'utilisateur.",
    /*  80 */
    "Les réglages ont été appliqués. Faut-il également les enregistrer pour les analyses futures ?",
    /*  81 */
    "Les réglages ont été enregistrés. Faut-il les appliquer à toutes les analyses actuellement "
    "ouvertes ?",
    /*  82 */ "Veuillez d'abord ouvrir un fichier journal (*.csv).",
    /*  83 */ "Erreur lors de l'ouverture du fichier",
    /*  84 */ "Le fichier indiqué ne contient pas de valeurs mesurées.",
    /*  85 */ "Le fichier indiqué n'est pas un fichier journal valide.",
    /*  86 */ "Aucun fichier trouvé, veuillez vérifier le chemin d'accès et réessayer.",
    /*  87 */ "Les noms de fichiers indiqués ne contiennent pas de date valide.",
    /*  88 */ "Seule l'extension '.csv' est autorisée pour les fichiers journaux.",
    /*  89 */ "Le fichier de début sélectionné ne peut être associé à aucune date.",
    /*  90 */ "Le fichier de fin sélectionné ne peut être associé à aucune date.",
    /*  91 */ "La date du fichier de fin est antérieure à celle du fichier de début.",
    /*  92 */ "Vous n'avez sélectionné qu'un seul jour. Analyse simple lancée.",
    /*  93 */ "Jeu de données incomplet",
    /*  94 */ "L'accès au fichier ini a échoué. Les réglages ne peuvent pas être enregistrés.",
    /*  95 */
    "Vous avez déjà ouvert le nombre maximal d'analyses. Faut-il ouvrir une nouvelle analyse ? "
    "Remarque : l'analyse actuelle sera alors perdue.",
    /*  96 */
    "Impossible d'ouvrir une autre fenêtre d'analyse. Cela peut être dû à un manque de mémoire "
    "disponible. Veuillez fermer les applications inutilisées et réessayer.",
    /*  97 */
    "Une erreur s'est produite lors de la création de la structure de données. Cela est "
    "probablement dû à un manque de mémoire. Veuillez fermer les applications inutilisées et "
    "réessayer.",
    /*  98 */
    "Excel.exe est introuvable, veuillez sélectionner manuellement le chemin d'accès à Excel.",
    /*  99 */ "Le démarrage d'Excel a échoué. Le fichier doit être ouvert manuellement.",
    /* 100 */ "Impression impossible.",
    /* 101 */ "Aucune donnée disponible.",
    /* 102 */ "Veuillez saisir une désignation.",
    /* 103 */ "Veuillez saisir la valeur de l'axe Y uniquement en chiffres.",
    /* 104 */ "Largeur de raie non valide. Veuillez entrer un chiffre entre 1 et 10.",
    /* 105 */ "",
    /* 106 */ "",
    /* 107 */ "Pour le compte de :",
    /* 108 */ "Allemagne",
    /* 109 */ "Tél.",
    /* 110 */ "Fax.",
    /* 111 */ "Affichage",
    /* 112 */ "Diagramme",
    /* 113 */ "Tableau",
    /* 114 */ "Vue graphique",
    /* 115 */ "Vue en tableau",
    /* 116 */ "Vue d'ensemble",
    /* 117 */ "Ouvrir une analyse",
    /* 118 */ "Étape 1 : choisir le répertoire des fichiers journaux :",
    /* 119 */ "Étape 2 : sélectionner la période d'analyse :",
    /* 120 */ "Début de la période :",
    /* 121 */ "Fin de la période :",
    /* 122 */ "Progression :",
    /* 123 */ "Veuillez sélectionner un répertoire de journaux",
    /* 124 */ "Appareils et mesures",
    /* 125 */ "Réglages généraux",
    /* 126 */ "Spécifique à l'appareil",
    /* 127 */ "Réglages des courbes",
    /* 128 */ "Nom dans le fichier journal :",
    /* 129 */ "Nom affiché :",
    /* 130 */ "Couleur d'affichage :",
    /* 131 */ "Vue d'ensemble",
    /* 132 */ "Total",
    /* 133 */ "1 trimestre",
    /* 134 */ "1 an",
    /* 135 */ "Vue d'ensemble journalière",
    /* 136 */ "Vue d'ensemble mensuelle",
    /* 137 */ "Vue d'ensemble annuelle",
    /* 138 */ "Rendement annuel",
    /* 139 */ "Rendement trimestriel",
    /* 140 */ "Rendement mensuel",
    /* 141 */ "Régulateur solaire",
    /* 142 */ "Circuit de chauffage",
    /* 143 */ "Eau chaude sanitaire",
    /* 144 */ "Extension",
    /* 145 */ "Impossible de créer le fichier",
    /* 146 */ "Aucun fichier à ouvrir trouvé",
    /* 147 */ "Le fichier journal n'a pu être attribué à aucun participant du bus",
    /* 148 */ "Vous devez d'abord sélectionner des données pour la vue d'ensemble",
    /* 149 */ "Des unités différentes ont été trouvées pour le champ ",
    /* 150 */ ". Les valeurs/unités affichées sont probablement erronées.",
    /* 151 */ "Plusieurs participants du bus utilisent le même numéro d'appareil",
    /* 152 */ "Des erreurs se sont produites lors de l'ouverture du fichier journal.",
    /* 153 */
    "Une erreur d'index s'est produite lors de la création de la structure de données interne",
    /* 154 */ "Réglage de l'appareil : accès hors de la plage valide",
    /* 155 */ "Erreur grave : l'analyse n'a pas pu être générée.",
    /* 156 */
    "Mémoire disponible insuffisante. L'analyse a été annulée. Veuillez fermer toutes les "
    "applications inutilisées et réessayer. Si cela ne suffit pas, essayez d'analyser une période "
    "plus courte.",
    /* 157 */ "Page ",
    /* 158 */ " sur ",
};

static_assert(std::size(kRows) == kTextRowCount);

} // namespace

std::span<const char* const, kTextRowCount> FrenchTexts()
{
    return std::span<const char* const, kTextRowCount>(kRows);
}

} // namespace korvex::detail
