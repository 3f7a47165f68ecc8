#include "tools/toolhost.h"

TToolHost& ToolHost() {
  static TToolHost host;
  return host;
}
