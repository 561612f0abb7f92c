#pragma once

#include <unistd.h>

#include <string>

#include "common/result.h"

namespace pixmosa {

// A descriptor of the system's, closed when it goes (POSIX builds only).
class Descriptor {
public:
    explicit Descriptor(int descriptor) : m_descriptor(descriptor) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor()
    {
        if (m_descriptor >= 0) {
            ::close(m_descriptor);
        }
    }
    int get() const { return m_descriptor; }

private:
    int m_descriptor;
};

// The rest of an open file, read through its descriptor (POSIX builds only).
Result<std::string> readWholeDescriptor(int descriptor, const std::string& pathForErrors);

}  // namespace pixmosa
