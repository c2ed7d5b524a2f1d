// The reproducibility configuration of the series study: laboratories as series, its own conclusion
// (significance, reproducibility standard deviation, precision), tables and chart title.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "studies/intermediate_precision/intermediate_precision_study.h"

namespace kestra {

const SeriesStudyConfig& ReproducibilityConfig()
{
    static const SeriesStudyConfig config{
        StudyKindId::Ripr,
        true,
        "RIPRODUCIBILITA': Analisi della varianza",
        {"C O N V A L I D A   D E L   M E T O D O   A N A L I T I C O\r\n\r\n"
         "TEST DELLA RIPRODUCIBILITA'\r\n\r\n\r\n",
         "V A L I D A T I O N  OF  A N A L Y T I C A L  M E T H O D\r\n\r\n"
         "REPRODUCIBILITY TEST\r\n\r\n\r\n"},
        {"Il risultato del test è da considerarsi#1# significativo, cioè alcuni #2##3# si differenziano "
         "dagli "
         "altri.\r\n\r\n"
         "La deviazione standard tra #2#  è :\r\n#5#\r\n\r\n"
         "La deviazione standard tra analisi ripetute è :\r\n#4#\r\n\r\n"
         "La deviazione standard di riproducibilità è :\r\n#6#\r\n\r\n"
         "La precisione del metodo (come riproducibilità) espressa in P% è :\r\n±#7#",
         "The test result is considered#1# significant, that is some #2# are #3# different from "
         "others.\r\n\r\n"
         "The standard deviation between #2#  is :\r\n#5#\r\n\r\n"
         "The standard deviation between repeated analysis is :\r\n#4#\r\n\r\n"
         "The reproducibility standard deviation is :\r\n#6#\r\n\r\n"
         "The method precision (like reproducibility) in P% is :\r\n±#7#"},
        {" NON", " NOT"},
        "VtGrafRipr",
        {"Riproducibilità: medie", "Reproducibility: means"},
        "Ripr",
        "RiprTabella",
    };
    return config;
}

}  // namespace kestra
