// config_keys.h — the table of configuration keys and the typed value reader
// their entries use.
//
// A key's entry reads its values from the token stream in order, each with
// the stream's typed extraction, stores them in the viewer state and applies
// the key's check or conversion. A value that does not parse leaves its
// variable as it was and puts the stream into its failed state; the file
// reader then stops reading that file.
#pragma once

#include <cstddef>
#include <istream>
#include <string>

// Typed extraction of one value at a time from a configuration file.
class ValueReader {
  public:
    explicit ValueReader(std::istream& in) : in_(in) {}

    // Extracts the next value into `variable` and returns true; on failure
    // (no value, a word where a number is expected, or a number out of the
    // type's range) returns false and leaves `variable` untouched. Does
    // nothing once an earlier value of the same key has failed.
    template <typename T> bool take(T& variable)
    {
        if (in_.fail())
            return false;
        failed_at_ = in_.rdbuf()->pubseekoff(0, std::ios_base::cur, std::ios_base::in);
        T value;
        if (!(in_ >> value))
            return false;
        variable = value;
        return true;
    }

    bool failed() const { return in_.fail(); }
    // Where the value that failed begins, or -1 when it cannot be told.
    std::streampos failed_at() const { return failed_at_; }

  private:
    std::istream& in_;
    std::streampos failed_at_ = -1;
};

struct ConfigKey {
    const char* name;             // the exact token, "#" included
    void (*read)(ValueReader& r); // reads the values and applies the check
};

extern const ConfigKey kConfigKeys[];
extern const std::size_t kConfigKeyCount;

// The entry whose name equals `token` exactly, or null.
const ConfigKey* find_config_key(const std::string& token);
