#pragma once
// The subcommands of vesta-cli as one table: main parses the command line against it and prints
// the help from it, so a new subcommand is one more entry.
#include <vector>

#include <QSet>
#include <QStringList>

struct TCliArgs {
  QStringList Positional;
  QSet<QString> Options;  // "--json", "--to-xp", ...
  QStringList Words;      // every word after the command, for options that take a value
};

struct TCliCommand {
  const char* Name;
  const char* Arguments;  // as shown in the usage line
  const char* Summary;    // one line for the command list
  const char* Details;    // the rest of `vesta-cli help NAME`
  int MinPositional;
  int MaxPositional;  // -1: no limit
  QStringList Options;
  int (*Run)(const TCliArgs& args);
};

const std::vector<TCliCommand>& CliCommands();
const TCliCommand* FindCliCommand(const QString& name);
