#include "params/ChangeSp.h"

void ChangeSp(Document&)
{
}
