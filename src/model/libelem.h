#pragma once
// TLibElem: the base of every object the user stores, sends or edits (patch, performance, rhythm
// set, system, the three banks, the global dump) and of the library. It holds what they share,
// declares the operations each kind fills in, and implements the single-object .Syx files and
// the common header of library records.
#include <cstdint>
#include <memory>
#include <span>

#include <QByteArray>
#include <QString>

#include "model/bytestream.h"

class QObject;
class TListingPrinter;

// Kind codes, as stored in library records.
enum TElemKind : std::uint16_t {
  ekPatch = 0,
  ekPatchBank = 1,
  ekPerformance = 2,
  ekPerformanceBank = 3,
  ekRhythm = 4,
  ekRhythmBank = 5,
  ekSystem = 6,
  ekGlobal = 7,
};
inline constexpr int kKindCount = 8;

// The program-wide XP flag: set only while "Import From XP" or "Export To XP" runs; element
// files and library records are then read and written in the XP layout.
bool XpFlag();
void SetXpFlag(bool on);
// Sets the XP flag for its lifetime and clears it on the way out, also after a failure.
class TXpScope {
 public:
  TXpScope() { SetXpFlag(true); }
  ~TXpScope() { SetXpFlag(false); }
  TXpScope(const TXpScope&) = delete;
  TXpScope& operator=(const TXpScope&) = delete;
};

// Days since 30 December 1899: the whole part is the date, the fraction the time of day.
struct TDayTime {
  double Date = 0;
  double Time = 0;
};
TDayTime NowDayTime();

// The last component of a path, with / or \ as folder separators.
QString FileNamePart(const QString& path);
// The folder of a path, empty when it has none.
QString FolderPart(const QString& path);
// The name a bank, system or global takes from its file: the file name cut to 12 characters,
// then before its first dot.
QString NameFromFile(const QString& path);

inline constexpr int kRecordHeaderSize = 135;
inline constexpr int kNameLength = 12;
inline constexpr int kFileNameLength = 79;

class TLibElem {
 public:
  explicit TLibElem(TLibElem* owner);
  virtual ~TLibElem();
  TLibElem(const TLibElem&) = delete;
  TLibElem& operator=(const TLibElem&) = delete;

  // The operations of every kind, in this order.
  // Copies Name, Selected, FileName, Temporary, User and Number, then Modified; the kinds add
  // their contents.
  virtual void Assign(const TLibElem& source);
  virtual QString GetName() const;
  // The first 12 characters; patch, performance and rhythm set keep their name in their data and
  // with send also send it to the instrument.
  virtual void SetName(const QString& name, bool send);
  // Refreshes the element's open editor windows.
  virtual void UpdateViews();
  // Header, address and checksum of every block image for the element's own location.
  virtual void PrepareMessages();
  // The block images back to back (the .Syx contents); the base only prepares them.
  virtual void WriteSysex(TByteWriter& out);
  virtual void ReadSysex(TByteReader& in);
  // The library record: the 135-byte header, then the kind's own part.
  virtual void SaveToLibrary(TByteWriter& out);
  // Reads the record after its kind code, which whoever creates the element has read.
  virtual void LoadFromLibrary(TByteReader& in);
  // The .Syx save and load through the file dialogs; true when a file was written or read.
  virtual bool SaveSysexFile(bool saveAs);
  virtual bool LoadSysexFile();
  // Transfers to and from the instrument. Here Transmit sends nothing and Receive only marks
  // the element modified; RequestNext and TransmitNext do nothing.
  virtual void Transmit(bool toTemporary);
  virtual void Receive(bool fromTemporary);
  // Initial contents, then UpdateViews.
  virtual void Init();
  virtual void RequestNext();
  // Copies the places of the element's open windows into the fields saved with it.
  virtual void StorePositions();
  virtual void TransmitNext();
  virtual void Print(TListingPrinter& printer, bool detailed);

  // Dates the element and its owners now, clears the saved flag of the library at the top and
  // has the main window refresh its menus.
  void Modified();
  // Creates the editor window (transmitting a sound to the temporary area first), or brings the
  // open one to the front.
  void OpenEditor();
  QString LocationText() const;
  QString KindName() const;
  static QString KindName(int kind);
  // Size of a kind's .Syx file in the given layout (XP flag when not given); -1 for others.
  static int SysexSize(int kind, bool xp);
  static int SysexSize(int kind) { return SysexSize(kind, XpFlag()); }
  // The owner at the end of the owner chain, followed at most three times; none without owner.
  TLibElem* TopOwner() const;

  // The .Syx contents as bytes.
  QByteArray SysexBytes(bool xp);
  // Reads .Syx contents; false, with nothing changed, unless their size is SysexSize of the kind.
  bool ReadSysexBytes(std::span<const std::uint8_t> bytes, bool xp);
  // The library record as bytes.
  QByteArray RecordBytes(bool xp);

  QString Name;
  std::uint16_t Kind = ekPatch;
  double ModifiedDate = 0;
  double ModifiedTime = 0;
  double CreatedDate = 0;
  double CreatedTime = 0;
  bool Selected = false;
  // The element's .Syx file. Kept whole in memory; only its record field holds 79 characters.
  QString FileName = QStringLiteral("Untitled.Syx");
  bool Temporary = true;
  bool User = false;
  bool SavedToFile = false;
  bool WindowOpen = false;
  std::uint16_t WinLeft = 0xFFFF;
  std::uint16_t WinTop = 0xFFFF;
  std::uint16_t Number = 1;
  TLibElem* Owner = nullptr;
  QObject* Editor = nullptr;
  std::uint32_t TargetAddress = 0;
  std::uint16_t BlockIndex = 0;

 protected:
  // Has the application refresh this element's windows (the UpdateViews of the kinds).
  void NotifyViews();
  // Has the application close this element's windows (the destructors of the kinds).
  void CloseViews();
  // Copies an open window's place into left and top; a change clears the top library's flag.
  void StorePlace(const QObject* window, bool open, std::uint16_t& left, std::uint16_t& top);
  // Base address in memory: temporary area, or user or card object Number (clamped to 1..count,
  // so a damaged number never leaves the address map). Bank members follow their bank's flag.
  std::uint32_t MemoryBase(std::uint32_t temporary, std::uint32_t user, std::uint32_t card,
                           int count) const;
  // Clears the saved flag of the library at the top of the owner chain, if there is one.
  void ClearTopSaved() const;
};

// A new element of the class for kind (0 to 7) owned by owner; none for other codes.
std::unique_ptr<TLibElem> CreateElement(int kind, TLibElem* owner);
