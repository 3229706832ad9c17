#include "storage/ByteStream.h"
