// TFormvesta: the sound catalog's window, its settings, and what they need of the frame (opening
// a sound's file and editor, and drops of catalog sounds on library and bank windows).
#include <QDir>
#include <QFileInfo>
#include <QMdiSubWindow>
#include <QMessageBox>

#include "app/formvesta.h"
#include "catalog/catalog.h"
#include "catalogui/formcatalog.h"
#include "catalogui/formcatalogsettings.h"
#include "dialogs/helpwindow.h"
#include "editors/params/paramlisting.h"
#include "librarian/formbankbase.h"
#include "librarian/formlibrary.h"
#include "model/fileio.h"
#include "model/global.h"
#include "model/library.h"

namespace {
template <class T>
T* WindowOfWidget(QWidget* widget) {
  for (QWidget* w = widget; w; w = w->parentWidget())
    if (auto* window = qobject_cast<T*>(w)) return window;
  return nullptr;
}

// A .Syx or .Glb file as a new untitled library holding it; none when it cannot be read.
std::unique_ptr<TLibrary> LibraryHolding(const QString& path) {
  QByteArray bytes;
  if (!ReadWholeFile(path, bytes)) return nullptr;
  const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
  const std::span<const std::uint8_t> span(data, static_cast<std::size_t>(bytes.size()));
  std::unique_ptr<TLibElem> element;
  if (QFileInfo(path).suffix().compare(QLatin1String("glb"), Qt::CaseInsensitive) == 0) {
    auto global = std::make_unique<TGlobal>(nullptr);
    const bool xp = bytes.size() == TGlobal::GlbSize(true);
    if (!global->ReadGlbBytes(span, xp).isEmpty()) return nullptr;
    element = std::move(global);
  } else {
    for (int kind = ekPatch; kind <= ekSystem && !element; ++kind)
      for (const bool xp : {false, true})
        if (bytes.size() == TLibElem::SysexSize(kind, xp)) {
          element = CreateElement(kind, nullptr);
          if (!element->ReadSysexBytes(span, xp)) return nullptr;
          break;
        }
    if (!element) return nullptr;
  }
  element->FileName = path;
  if (element->Kind != ekPatch && element->Kind != ekPerformance && element->Kind != ekRhythm)
    element->Name = NameFromFile(path);
  auto library = std::make_unique<TLibrary>();
  library->Add(std::move(element));
  return library;
}
}  // namespace

void TFormvesta::InstallCatalogHooks() {
  CatalogWindowHooks().OpenSound = [this](const QString& path, int element) {
    OpenCatalogSound(path, element);
  };
  CatalogWindowHooks().DropSounds = [](QWidget& target) {
    TDragInfo& drag = ChildFrame().Drag();
    if (TFormLibrary* library = WindowOfWidget<TFormLibrary>(&target)) {
      library->AppendCopies(drag);
    } else if (TFormBankBase* bank = WindowOfWidget<TFormBankBase>(&target)) {
      bank->ProcCopy(drag);
    }
  };
}

void TFormvesta::OpenCatalogSound(const QString& path, int element) {
  QWidget* window = nullptr;
  if (QFileInfo(path).suffix().compare(QLatin1String("lib"), Qt::CaseInsensitive) == 0) {
    window = OpenLibraryFile(path);
  } else if (auto library = LibraryHolding(path)) {
    window = AddLibraryWindow(std::move(library));
  } else {
    QMessageBox::warning(this, QStringLiteral("Catalog"),
                         QStringLiteral("%1 cannot be read.").arg(QDir::toNativeSeparators(path)));
  }
  auto* view = dynamic_cast<TLibraryWindow*>(window);
  if (!view || !view->Library()) return;
  // The sound number counts the library's elements in turn, banks and global dumps member by
  // member, as the catalog does.
  int number = 0;
  for (const auto& item : view->Library()->Elements)
    for (const TLibElem* sound : SoundsOf(*item))
      if (++number == element) {
        const_cast<TLibElem*>(sound)->OpenEditor();
        return;
      }
}

void TFormvesta::GadgetsCatalogItemClick() {
  if (catalogWindow_) {
    mdiArea_->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(catalogWindow_->parentWidget()));
    return;
  }
  try {
    auto* window = new TFormCatalog(TCatalog::DefaultPath());
    SetHelpContext(window, TFormCatalog::kHelpContext);
    catalogWindow_ = window;
    QMdiSubWindow* sub = AddChild(window);
    // Room for every column with the paths.
    sub->resize(920, 480);
    sub->show();
  } catch (const TCatalogError& error) {
    QMessageBox::warning(this, QStringLiteral("Catalog"), error.Message);
  }
}

void TFormvesta::SettingsCatalogItemClick() {
  try {
    TFormCatalogSettings dialog(TCatalog::DefaultPath(), this);
    dialog.Changed = [this] {
      if (auto* window = qobject_cast<TFormCatalog*>(catalogWindow_.data())) window->Reload();
    };
    dialog.exec();
  } catch (const TCatalogError& error) {
    QMessageBox::warning(this, QStringLiteral("Catalog"), error.Message);
  }
}
