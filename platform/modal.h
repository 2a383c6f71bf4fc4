// Modal dialogs.  A dialog is a plain model class (fields, validation, list
// texts); the program registers, per model class, a function that shows it
// (the Qt dialogs do), and tests register scripted ones.  RunModal answers
// IDOK or IDCANCEL; with nothing registered it answers IDCANCEL, so an
// unregistered dialog changes nothing.
#pragma once

#include <functional>
#include <utility>

inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;

template <class Model>
class ModalRunner {
public:
    using Fn = std::function<int(Model&)>;
    static Fn& Get()
    {
        static Fn fn;
        return fn;
    }
    // Installs fn and returns the previous runner.
    static Fn Set(Fn fn)
    {
        Fn previous = std::move(Get());
        Get() = std::move(fn);
        return previous;
    }
};

template <class Model>
int RunModal(Model& model)
{
    auto& fn = ModalRunner<Model>::Get();
    return fn ? fn(model) : IDCANCEL;
}

// Installs a runner for its lifetime (tests).
template <class Model>
class ScopedModalRunner {
public:
    explicit ScopedModalRunner(typename ModalRunner<Model>::Fn fn)
        : m_previous(ModalRunner<Model>::Set(std::move(fn)))
    {
    }
    ~ScopedModalRunner() { ModalRunner<Model>::Set(std::move(m_previous)); }
    ScopedModalRunner(const ScopedModalRunner&) = delete;
    ScopedModalRunner& operator=(const ScopedModalRunner&) = delete;

private:
    typename ModalRunner<Model>::Fn m_previous;
};
