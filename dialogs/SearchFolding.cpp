#include "dialogs/SearchFolding.h"

#include "toolkit/CodePage.h"

const FoldTables &codePageFoldTables()
{
    static const FoldTables tables{CodePage::lowerCaseMap(), CodePage::plainLetterMap()};
    return tables;
}
