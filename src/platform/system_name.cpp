#include "platform/system_name.h"

#include <sys/utsname.h>

namespace zeph {

std::string OperatingSystemName() {
  utsname names{};
  if (uname(&names) != 0 || names.sysname[0] == '\0') return "Unix";
  return names.sysname;
}

}  // namespace zeph
