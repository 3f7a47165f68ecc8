#pragma once
// The editors live below the application and cannot reach its names window; the program hands
// them its name lists and "Select Name" picker through their hooks.
class TFormNames;

// The editors' name fields read the program's lists; the "B" buttons of the wave page and of
// the performance, rhythm and system editors open names' picker. names must outlive the
// editors (the main window's lifetime).
void InstallEditorNameHooks(const TFormNames& names);
// Takes the hooks away again.
void RemoveEditorNameHooks();

// After a file is read, one warning lists the sounds in it that hold bytes outside their
// parameters' ranges (nothing when none does).
void InstallFileCheckHook();
void RemoveFileCheckHook();
