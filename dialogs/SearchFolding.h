#pragma once

#include "core/SearchIndex.h"

/// The fold maps of the records' code page, worked out once by the code page's own module.
const FoldTables &codePageFoldTables();
