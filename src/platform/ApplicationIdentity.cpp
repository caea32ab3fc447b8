#include "ApplicationIdentity.h"

const ApplicationIdentity& ApplicationIdentity::current()
{
    static const ApplicationIdentity identity{applicationTitle, 1, 2, 18, QStringLiteral("vellum")};
    return identity;
}
