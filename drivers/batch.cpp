// The batch drivers are not built yet.
#include "drivers/batch.h"

void BatchBasic() {}
void BatchUpper() {}
void SingleMax() {}
void AutoLimit() {}
void FixSoleCandidates() {}
void ClearAutomatic() {}
void ClearAll() {}
void TechniqueCheckDelete() {}
void LastResort() {}
