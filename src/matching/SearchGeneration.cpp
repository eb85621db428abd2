#include "matching/SearchGeneration.h"

#include <limits>

std::int32_t SearchGeneration = 0;

std::int32_t NextSearchGeneration()
{
    SearchGeneration = SearchGeneration == std::numeric_limits<std::int32_t>::max() ? 1 : SearchGeneration + 1;
    return SearchGeneration;
}
