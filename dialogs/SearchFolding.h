#pragma once

#include "dialogs/SearchIndex.h"

/// The fold maps of the records' code page, worked out once from Qt's own character data.
const FoldTables &codePageFoldTables();
