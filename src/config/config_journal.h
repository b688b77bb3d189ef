// config_journal.h — the values a configuration text changed, kept so that
// they can be put back. A lesson step's settings are undone this way before
// the settings of the next step, or of the same step at the next reading,
// are applied over the configuration files.
#pragma once

#include <functional>
#include <vector>

class ConfigJournal {
  public:
    // Keeps the value `variable` holds now, unless it is kept already (the
    // first value is the one to put back).
    template <typename T> void keep(T& variable)
    {
        if (kept(&variable))
            return;
        entries_.push_back({&variable, [&variable, old = variable]() { variable = old; }});
    }

    // True when `variable` was changed since the journal was last emptied.
    bool kept(const void* variable) const
    {
        for (const Entry& e : entries_)
            if (e.variable == variable)
                return true;
        return false;
    }

    // Puts every kept variable back, latest first, and empties the journal.
    void restore()
    {
        for (auto e = entries_.rbegin(); e != entries_.rend(); ++e)
            e->put_back();
        entries_.clear();
    }

    // Forgets the kept values without putting them back.
    void clear() { entries_.clear(); }

  private:
    struct Entry {
        const void* variable;
        std::function<void()> put_back;
    };
    std::vector<Entry> entries_;
};
