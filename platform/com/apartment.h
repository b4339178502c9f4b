// Which threads have entered COM, for the functions that need an apartment.
#pragma once

namespace qv::com {

// True when the calling thread has initialised COM, or belongs to the process's multithreaded
// apartment because some other thread entered it.
bool IsComInitialized();

} // namespace qv::com
