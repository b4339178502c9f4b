// The three operations of reg. Each prints as reg.exe does and returns the exit code: 0 when it
// did what was asked (or was cancelled at its question), 1 otherwise, with "ERROR: ..." on stderr.
#pragma once
#include "reg/arguments.h"
#include "reg/key_name.h"

namespace reg {

int Query(const KeyName& key, const Arguments& args);
int Add(const KeyName& key, const Arguments& args);
int Delete(const KeyName& key, const Arguments& args);

} // namespace reg
