#pragma once

#include "ui/forms/form.h"

#include <QPointer>

#include <functional>
#include <typeindex>
#include <unordered_map>

// The registry of the program's single-instance forms. A form is created on its first use, which
// runs its load routine; hiding keeps it; unloading destroys it, and the next use creates it anew.
// When the last form is unloaded the program ends.
class Forms {
public:
    template <class F> static F& get()
    {
        if (F* existing = find<F>())
            return *existing;
        auto* form = new F();
        registry()[std::type_index(typeid(F))] = form;
        if (created)
            created(*form);
        form->Form_Load();
        return *form;
    }

    // Runs the form's load routine: by creating the form, or again on the one that exists.
    template <class F> static F& load()
    {
        if (F* existing = find<F>()) {
            existing->Form_Load();
            return *existing;
        }
        return get<F>();
    }

    template <class F> static F* find()
    {
        auto it = registry().find(std::type_index(typeid(F)));
        if (it == registry().end() || it->second.isNull())
            return nullptr;
        return static_cast<F*>(it->second.data());
    }

    template <class F> static void unload()
    {
        if (F* form = find<F>())
            unload(form);
    }

    static void unload(Form* form);

    // Unloads every form without ending the program (between test cases).
    static void unloadAll();

    static int loadedCount();

    // Runs for every form just after it is made, before its load routine: the program connects the
    // forms of the exercise loop here.
    static inline std::function<void(Form&)> created;

private:
    static std::unordered_map<std::type_index, QPointer<Form>>& registry();
    static void endWhenNoneLeft();
};
