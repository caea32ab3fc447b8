#include "RuntimeError.h"

#include <new>

RuntimeError::RuntimeError(long number, QString description, QString source)
    : m_number(number), m_description(std::move(description)), m_source(std::move(source)),
      m_what(m_description.toUtf8())
{
}

RuntimeError RuntimeError::fromCurrentException()
{
    try {
        throw;
    } catch (const RuntimeError& error) {
        return error;
    } catch (const std::bad_alloc&) {
        return RuntimeError(OutOfMemory, QStringLiteral("Out of memory"));
    } catch (const std::exception& error) {
        return RuntimeError(GeneralFailure, QString::fromLocal8Bit(error.what()));
    } catch (...) {
        return RuntimeError(GeneralFailure, QStringLiteral("Unknown failure"));
    }
}
