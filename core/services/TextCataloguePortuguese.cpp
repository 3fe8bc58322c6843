// Portuguese texts of the catalogue.
// Each row is the text of the same index in every block; blanks at either end are part of it.

#include "core/services/TextCatalogueBlocks.h"

#include <iterator>

namespace korvex::detail {

namespace {

constexpr const char* kRows[] = {
    /*   0 */ "Ficheiro",
    /*   1 */ "Abrir",
    /*   2 */ "Fechar",
    /*   3 */ "Guardar",
    /*   4 */ "Imprimir",
    /*   5 */ "Sair",
    /*   6 */ "Configurações",
    /*   7 */ "Novas janelas",
    /*   8 */ "Janela atual",
    /*   9 */ "Escolha de língua",
    /*  10 */ "Janela",
    /*  11 */ "Em cascata",
    /*  12 */ "Mosaico horizontal",
    /*  13 */ "Minimizar tudo",
    /*  14 */ "Info",
    /*  15 */ "Novo",
    /*  16 */ "Análise de ",
    /*  17 */ "Análise de ",
    /*  18 */ " até ",
    /*  19 */ ". (",
    /*  20 */ " dados encontrados)",
    /*  21 */ "Período apresentado",
    /*  22 */ "Barra de deslocamento",
    /*  23 */ "Abrir no Excel",
    /*  24 */ "1 hora",
    /*  25 */ "3 horas",
    /*  26 */ "8 horas",
    /*  27 */ "1 dia",
    /*  28 */ "1 mês",
    /*  29 */ "Opções gráficas e de apresentação",
    /*  30 */ "Largura de linha",
    /*  31 */ "Escala do eixo Y",
    /*  32 */ "dinâmica",
    /*  33 */ "fixa",
    /*  34 */ "Mín",
    /*  35 */ "Máx",
    /*  36 */ "Apresentar saídas como:",
    /*  37 */ "Apresentar como:",
    /*  38 */ "Barras",
    /*  39 */ "Linhas",
    /*  40 */ "Título do diagrama",
    /*  41 */ "Título de impressão",
    /*  42 */ "Predefinição",
    /*  43 */ "Cancelar",
    /*  44 */ "OK",
    /*  45 */ "Valor medido selecionável",
    /*  46 */ "Entradas",
    /*  47 */ "Outros valores medidos",
    /*  48 */ "Saídas",
    /*  49 */ "Pergunta",
    /*  50 */ "Erro",
    /*  51 */ "Aviso",
    /*  52 */ "Informação",
    /*  53 */ "Data",
    /*  54 */ "Empresa",
    /*  55 */ "Sensor de temperatura 1",
    /*  56 */ "Sensor de temperatura 2",
    /*  57 */ "Sensor de temperatura 3",
    /*  58 */ "Sensor de temperatura 4",
    /*  59 */ "Sensor de temperatura 5",
    /*  60 */ "Sensor de temperatura 6",
    /*  61 */ "Sensor de temperatura direto",
    /*  62 */ "Caudal",
    /*  63 */ "Potência térmica",
    /*  64 */ "Soma do caudal",
    /*  65 */ "Soma da energia",
    /*  66 */ "Saída 1",
    /*  67 */ "Saída 2",
    /*  68 */ "Saída 3",
    /*  69 */ "Saída de sinalização de avaria",
    /*  70 */ "Versão",
    /*  71 */ "Ficheiros de registo",
    /*  72 */ "Ficheiros de imagem",
    /*  73 */ "Todos os ficheiros",
    /*  74 */ "Data inicial",
    /*  75 */ "Data final",
    /*  76 */ "Procurar...",
    /*  77 */ "Analisar",
    /*  78 */ "Prima a tecla Esc para cancelar.",
    /*  79 */ "Interrupção pelo utente.",
    /*  80 */
    "As configurações foram aplicadas. Pretende guardar também estas configurações para análises "
    "futuras?",
    /*  81 */
    "As configurações foram guardadas. Pretende aplicar estas configurações a todas as análises "
    "atualmente abertas?",
    /*  82 */ "Abra primeiro um ficheiro de registo (*.csv).",
    /*  83 */ "Erro ao abrir o ficheiro",
    /*  84 */ "O ficheiro indicado não contém valores medidos.",
    /*  85 */ "O ficheiro indicado não é um ficheiro de registo válido.",
    /*  86 */ "Não foram encontrados ficheiros, verifique o caminho e tente novamente.",
    /*  87 */ "Os nomes de ficheiro indicados não contêm uma data válida.",
    /*  88 */ "Para ficheiros de registo só é permitida a extensão '.csv'.",
    /*  89 */ "Não é possível atribuir uma data ao ficheiro inicial selecionado.",
    /*  90 */ "Não é possível atribuir uma data ao ficheiro final selecionado.",
    /*  91 */ "A data do ficheiro final é anterior à data do ficheiro inicial.",
    /*  92 */ "Selecionou apenas 1 dia. Foi iniciada uma análise simples.",
    /*  93 */ "Conjunto de dados incompleto",
    /*  94 */
    "Não foi possível acesder aos ficheiros Ini. As configurações não poderão ser gravadas.",
    /*  95 */
    "Já abriu o número máximo de análises. Pretende abrir uma nova análise? Nota: a análise atual "
    "será perdida.",
    /*  96 */
    "Não foi possível abrir outra janela de análise. Isto pode dever-se a falta de memória "
    "disponível. Feche as aplicações que não estão a ser utilizadas e tente novamente.",
    /*  97 */
    "Ocorreu um erro ao criar a estrutura de dados. Provavelmente deve-se a memória insuficiente. "
    "Feche as aplicações que não estão a ser utilizadas e tente novamente.",
    /*  98 */
    "Não foi possível encontrar o Excel.exe, selecione manualmente o caminho para o Excel.",
    /*  99 */ "Falha ao iniciar o Excel. O ficheiro tem de ser aberto manualmente.",
    /* 100 */ "Não é possível imprimir.",
    /* 101 */ "Não existem dados disponíveis.",
    /* 102 */ "Introduza uma designação.",
    /* 103 */ "Introduza o valor do eixo Y apenas em algarismos.",
    /* 104 */ "Largura de linha inválida. Por favor introduza um número entre 1 e 10.",
    /* 105 */ "",
    /* 106 */ "",
    /* 107 */ "A pedido de:",
    /* 108 */ "Alemanha",
    /* 109 */ "Tel.",
    /* 110 */ "Fax.",
    /* 111 */ "Ver",
    /* 112 */ "Diagrama",
    /* 113 */ "Tabela",
    /* 114 */ "Vista gráfica",
    /* 115 */ "Vista em tabela",
    /* 116 */ "Vista geral",
    /* 117 */ "Abrir análise",
    /* 118 */ "Passo 1: selecione a pasta com os ficheiros de registo:",
    /* 119 */ "Passo 2: selecione o período de análise:",
    /* 120 */ "Início do período:",
    /* 121 */ "Fim do período:",
    /* 122 */ "Progresso:",
    /* 123 */ "Selecione uma pasta de registos",
    /* 124 */ "Dispositivos e medições",
    /* 125 */ "Configurações gerais",
    /* 126 */ "Específico do dispositivo",
    /* 127 */ "Configurações das curvas",
    /* 128 */ "Nome no ficheiro de registo:",
    /* 129 */ "Nome apresentado:",
    /* 130 */ "Cor de apresentação:",
    /* 131 */ "Vista geral",
    /* 132 */ "Total",
    /* 133 */ "1 trimestre",
    /* 134 */ "1 ano",
    /* 135 */ "Vista geral diária",
    /* 136 */ "Vista geral mensal",
    /* 137 */ "Vista geral anual",
    /* 138 */ "Rendimento anual",
    /* 139 */ "Rendimento trimestral",
    /* 140 */ "Rendimento mensal",
    /* 141 */ "Regulador solar",
    /* 142 */ "Circuito de aquecimento",
    /* 143 */ "Água quente sanitária",
    /* 144 */ "Extensão",
    /* 145 */ "Não foi possível criar o ficheiro",
    /* 146 */ "Nenhum ficheiro encontrado para abrir",
    /* 147 */ "Não foi possível atribuir o ficheiro de registo a um participante do bus",
    /* 148 */ "Tem de selecionar primeiro os dados para a vista geral",
    /* 149 */ "Foram encontradas unidades diferentes para o campo ",
    /* 150 */ ". Os valores/unidades apresentados estão provavelmente incorretos.",
    /* 151 */ "Vários participantes do bus utilizam o mesmo número de dispositivo",
    /* 152 */ "Ocorreram erros ao abrir o ficheiro de registo.",
    /* 153 */ "Ocorreu um erro de índice ao criar a estrutura de dados interna",
    /* 154 */ "Configuração do dispositivo: acesso fora do intervalo válido",
    /* 155 */ "Erro grave: não foi possível gerar a análise.",
    /* 156 */
    "Memória disponível insuficiente. A análise foi cancelada. Feche todas as aplicações que não "
    "estão a ser utilizadas e tente novamente. Se não resultar, tente analisar um período mais "
    "curto.",
    /* 157 */ "Págine ",
    /* 158 */ " de ",
};

static_assert(std::size(kRows) == kTextRowCount);

} // namespace

std::span<const char* const, kTextRowCount> PortugueseTexts()
{
    return std::span<const char* const, kTextRowCount>(kRows);
}

} // namespace korvex::detail
