#include "RuntimeError.h"

#include <QCoreApplication>

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
        return RuntimeError(OutOfMemory, QCoreApplication::translate("RuntimeError", "Out of memory"));
    } catch (const std::exception& error) {
        return RuntimeError(GeneralFailure, QString::fromLocal8Bit(error.what()));
    } catch (...) {
        return RuntimeError(GeneralFailure, QCoreApplication::translate("RuntimeError", "Unknown failure"));
    }
}
