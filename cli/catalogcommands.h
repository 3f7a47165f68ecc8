#pragma once
// The sound catalog's subcommands: catalog (add, remove, scan, folders, stats), find, similar
// and tag.
#include "cli/commands.h"

TCliCommand CatalogCommand();
TCliCommand FindCommand();
TCliCommand SimilarCommand();
TCliCommand TagCommand();
