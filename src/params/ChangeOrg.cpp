#include "params/ChangeOrg.h"

void ChangeOrg(Document&)
{
}
