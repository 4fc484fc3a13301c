#pragma once
// The configuration page: display language and units, the display pages,
// automatic recording and the lap timer. Opened modally from the Setup
// command (construct, then exec()); it loads DatiProgetto when it is built,
// writes it back only on OK, and while it is open it is FormAttivo, so its
// Send and Read buttons exchange what is on screen with the instrument.

#include "config/ui/page_dialog.h"
#include "link/page_views.h"

#include <QPixmap>
#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace zuv {

class frmConfigurazione final : public PageDialog, public ConfigPageView {
    Q_OBJECT
public:
    explicit frmConfigurazione(QWidget* parent = nullptr);

    // ConfigPageView
    void setInstrumentButtonsEnabled(bool on) override { followInstrument(on); }
    int listIndex(ConfigCombo combo) const override;
    int listCount(ConfigCombo combo) const override;
    void setListIndex(ConfigCombo combo, int index) override;
    QString text(ConfigText box) const override;
    void setText(ConfigText box, const QString& text) override;
    Qt::CheckState chkAbilRecLAP() const override;
    void setChkAbilRecLAP(Qt::CheckState state) override;
    bool pageEnabled(int page) const override;
    void setPageEnabled(int page, bool on) override;

    // The browser's state.
    int NumPagine() const { return pageCount_; }
    int PaginaCorrente() const { return currentPage_; }
    // The picture of page p (1..9) as the window holds it now.
    QPixmap picture(int page) const;
    // A built-in picture of page p, 128 x 64 pixels.
    static QPixmap builtInPicture(int page);

    void cmdNextPage_Click();
    void cmdPrevPage_Click();
    void cmdScegliImmagine_Click();

protected:
    PageExchangeEnd runExchange(bool send) override;
    void storeRecord() override;

private:
    void buildLayout();
    void setCaptions();
    void RiempiCombo();
    void CaricaDati();
    void AggiornaPagina();
    void showPicture();
    void chkAbilitaPagina_Click();
    QComboBox* combo(ConfigCombo c) const;
    QLineEdit* box(ConfigText t) const;

    QComboBox* cboLingua_;
    QComboBox* cboUMVelocita_;
    QComboBox* cboUMTemperatura_;
    QComboBox* cboUMPressione_;
    QLabel* lblLinguaDisplay_;
    QGroupBox* fraUnitaMisura_;
    QLabel* lblUMVelocita_;
    QLabel* lblUMTemperatura_;
    QLabel* lblUMPressione_;

    QGroupBox* fraPagine_;
    QLabel* imgPagina_;
    QLabel* lblPagina_;
    QLabel* lblCurrPagina_;
    QPushButton* cmdPrevPage_;
    QPushButton* cmdNextPage_;
    QCheckBox* chkAbilitaPagina_;
    QLineEdit* txtFilePagina_;
    QPushButton* cmdScegliImmagine_;

    QGroupBox* fraRegistrazione_;
    QCheckBox* chkAbilRecLAP_;
    QLabel* lblAbilRecVel_;
    QLineEdit* txtAbilRecVel_;
    QLabel* lblAbilStopRec_;
    QLineEdit* txtStopRecSecondi_;

    QGroupBox* fraCronometro_;
    QLabel* lblTempoMsgGiro_;
    QLineEdit* txtTempoMsgGiro_;
    QLabel* lblTempoVisGiro_;
    QLineEdit* txtTempoVisGiro_;
    std::array<QLabel*, 5> lblSettoreCrono_{};
    std::array<QLineEdit*, 5> txtSettoreCrono_{};

    int pageCount_ = 9;
    int currentPage_ = 1;
    // Element p - 1 is the working enable flag of display page p.
    std::array<bool, 11> PagineAbilitate_{};
    // ImageList1: picture p - 1 shows page p.
    std::array<QPixmap, 9> ImageList1_;
};

} // namespace zuv
