#pragma once

#include "RuntimeError.h"

#include <optional>
#include <utility>

// Runs steps one after another where a failing step must not stop the rest:
// the step is abandoned, its error is kept (a later one replaces an earlier
// one) and examined once at a fixed point by the caller.
class PendingError
{
public:
    template <typename Step> bool tolerate(Step&& step)
    {
        try {
            std::forward<Step>(step)();
            return true;
        } catch (...) {
            m_error = RuntimeError::fromCurrentException();
            return false;
        }
    }

    bool isPending() const { return m_error.has_value(); }
    const RuntimeError& error() const { return *m_error; }
    void clear() { m_error.reset(); }

private:
    std::optional<RuntimeError> m_error;
};
