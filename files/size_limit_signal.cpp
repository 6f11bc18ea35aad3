#include "files/size_limit_signal.h"

#ifndef _WIN32
#include <csignal>
#endif

namespace varnoke::files {

void LetWritesFailAtSizeLimit()
{
#ifndef _WIN32
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}

} // namespace varnoke::files
