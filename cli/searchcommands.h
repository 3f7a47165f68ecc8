#pragma once
// vesta-cli search and duplicates: the search window's searches over a library file.
#include "cli/commands.h"

TCliCommand SearchCommand();
TCliCommand DuplicatesCommand();
