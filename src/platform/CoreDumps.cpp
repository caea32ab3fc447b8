#include "CoreDumps.h"

#include <sys/prctl.h>
#include <sys/resource.h>

void keepSecretsOutOfCoreDumps()
{
    // Not dumpable: the kernel writes no core at all, also not to a crash
    // handler behind a pipe (which a core size limit does not stop), and
    // other processes of the user can no longer attach or read its memory.
    ::prctl(PR_SET_DUMPABLE, 0, 0, 0, 0);
    // Where the system still dumps such processes for the administrator,
    // no core file either; the hard limit keeps it from being raised again.
    const rlimit none{0, 0};
    ::setrlimit(RLIMIT_CORE, &none);
}
