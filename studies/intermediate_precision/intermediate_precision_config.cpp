// The intermediate precision configuration of the series study: texts, templates, tables and chart.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "studies/intermediate_precision/intermediate_precision_study.h"

namespace kestra {

const SeriesStudyConfig& IntermediatePrecisionConfig()
{
    static const SeriesStudyConfig config{
        StudyKindId::Prin,
        false,
        "PRECISIONE INTERMEDIA: Analisi della varianza",
        {"C O N V A L I D A   D E L   M E T O D O   A N A L I T I C O\r\n\r\n"
         "TEST DELLA PRECISIONE INTERMEDIA\r\n\r\n\r\n",
         "V A L I D A T I O N  OF  A N A L Y T I C A L  M E T H O D\r\n\r\n"
         "INTERMEDIATE PRECISION TEST\r\n\r\n\r\n"},
        {"La deviazione standard tra #2#  è :\r\n#5#\r\n\r\n"
         "La deviazione standard tra analisi ripetute è :\r\n#4#",
         "The standard deviation between #2#  is :\r\n#5#\r\n\r\n"
         "The standard deviation between repeated analyses is :\r\n#4#"},
        // these templates say nothing about significance; kept for the common filling order
        {" NON", " NON"},
        "VtGrafPrin",
        {"Medie", "Means"},
        "Prin",
        "PrinTabella",
    };
    return config;
}

}  // namespace kestra
