#include "params/ChangeEnt.h"

void ChangeEnt(Document&)
{
}
