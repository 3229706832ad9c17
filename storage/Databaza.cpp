#include "storage/Databaza.h"
