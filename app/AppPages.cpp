#include "PageRegistry.h"

void RegisterAppPages()
{
}
