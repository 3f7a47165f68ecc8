#pragma once
// The bank window: the members of one patch, performance or rhythm bank in their fixed order,
// one row each. Drops fill members from a drop row on.
#include "librarian/formbankbase.h"

class TFormBank : public TFormBankBase {
  Q_OBJECT
 public:
  static constexpr int kHelpContext = 53;
  static constexpr int kPanelHeight = 351;

  TFormBank(TBank* bank, TLibrarianHost& host, QWidget* parent = nullptr);

  TLibElem* MemberAt(int row) const override;
  void DrawRow(QPainter& painter, int row, const QRect& rect) const override;
  QStringList RowTexts(int row) const override;
  int HelpContext() const override { return kHelpContext; }
  // The kind the bank holds.
  int MemberKind() const;
  int PanelWidth() const;

 protected:
  bool AcceptFromLibrary(const TDragInfo& drag, int row) const override;
  bool AcceptFromWindow(const TFormBankBase& source, const TDragInfo& drag, int row) const override;
  void CopyInto(const TDragInfo& drag, int row) override;
  QSize InitialSize() const override;
  void LayOut() override;
  bool KeepsStoredHeight() const override;
  bool Auditions() const override { return true; }

 private:
  // The drop row and count dragged end inside the bank.
  bool Fits(int row, std::size_t count) const;
  int count_;  // members, kept for when the window outlives its bank
};
