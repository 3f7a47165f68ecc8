#include "midi/config.h"

TConfig& Config() {
  static TConfig config;
  return config;
}
