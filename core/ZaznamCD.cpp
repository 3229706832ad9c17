#include "core/ZaznamCD.h"

ZaznamCD::ZaznamCD()
    : texts_{"Song01|Song02|Song03|Song04|Song05|Song06|Song07|Song08|Song09|Song10|",
             "Name CD ",
             "Autor CD",
             "Typ CD ",
             "01012003",
             "Nedefinovane",
             "Nedefinovane",
             "31122100"}
{
}
