#include "platform/Widgets.h"

#include "common/Exception.h"

namespace platform {

void IContainer::NoSuchControl(const std::string& name)
{
    throw Exception("There is no control " + name + " of that kind");
}

} // namespace platform
