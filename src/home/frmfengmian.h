#pragma once
// FrmFengmian: the home window. A borderless 800 x 600 window with a start page of large page
// buttons and, behind a top bar of tabs, the question-bank, paper, marked-question,
// wrong-question and help panels. It is unloaded whenever an exercise starts, so every showing
// loads it anew: Form_Load lays the window out and FengMainCsh fills the panels from the bank
// and history files.
//
//   FrmFengmian::get().Show();                 // start-up hand-over: start page
//   ModData::iFengmianPage = 16;               // the end of a unit practice:
//   FrmFengmian::get().TimFH.setEnabled(true); //   builds the window, then reopens the tab
//   FrmFengmian::get().Show();
//
// Every button is one element of the image-button array ClickBotn (0 to 99) with the one
// handler ClickBotn_Click; the elements lie in the containers the index table puts them in.
// Geometry is design twips of the 800 x 600 screen times the screen scale.

#include "bank/exercise.h"
#include "bank/questionset.h"
#include "bank/unittable.h"
#include "controls/tavobutton.h"
#include "history/historyfiles.h"
#include "toolkit/controlarray.h"
#include "toolkit/controls.h"
#include "toolkit/form.h"
#include "toolkit/timer.h"
#include "toolkit/vb.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class QTextBrowser;

// The help panel's page viewer: shows one of the installed help pages (GBK HTML files of the data
// folder), read-only. Links are not followed and nothing beyond the page itself is loaded.
class HelpBrowser : public tk::Control {
    Q_OBJECT
public:
    explicit HelpBrowser(QWidget* container);
    // Shows the page file; a page that cannot be read shows an empty page.
    void Navigate(const QString& path);
    QString LocationURL() const { return location_; } // the path last navigated to
    QString pageText() const;                          // the page as plain text

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QTextBrowser* view_;
    QString location_;
};

class FrmFengmian : public tk::FormT<FrmFengmian> {
    Q_OBJECT
public:
    FrmFengmian();
    ~FrmFengmian() override;

    // ---- Procedures ----
    void FengMainCsh();             // panel builder
    void ClickBotn_Click(int index); // every home button
    void TimFH_Timer();             // page return after an exercise
    void lblMove_MouseDown(int button, int shift, float x, float y);
    void picShouYe_MouseDown(int button, int shift, float x, float y);
    void LblAD_Click();
    void LblInfo_Click(int index);
    void LblShiJuanCCC_Click(int index); // wrong-question review of paper Index
    void LblShiJuanDel_Click(int index); // deletion of generated paper Index

    // The exercise launcher. InitShiTi builds the question set of an exercise (its file pair for a
    // list-built one, checked against the unit files) and sets the exercise state. Ids the bank no
    // longer holds are left out, and the candidate is told how many; when none is left, the bank
    // files cannot be read or the pair cannot be written the candidate gets a notice titled
    // noticeTitle, nothing of the running state changes and it returns false. startLianXi then
    // unloads the home window and hands over to the question panel and the work surface.
    bool InitShiTi(const bank::QuestionSet& set, const QString& noticeTitle);
    void startLianXi();

    // ---- Form-level values, set anew at every load and build ----
    vb::Integer iSuiJiCount = 0;   // generated papers
    vb::Integer iSelUnit = -1;     // picked unit, -1 none (all-units summary)
    vb::Integer iUnitScope = 0;    // 0 all questions, 1 learned, 2 not yet learned
    vb::Integer iBiaoZhiScope = 1; // marked questions: 1 not yet reviewed, 2 reviewed, 3 both
    vb::Integer iCuoTiScope = 1;   // own wrong questions, the same bits
    QString sAdLink;               // advertisement link
    vb::Integer iChongCiLast = 7;  // last sprint paper
    QStringList sShiJuanHis;       // paper results table, entry n at index n - 1 (100 entries)
    bool unitCountDamaged_ = false; // the bank layout names more units than there are buttons

    // ---- Controls, from the bottom of the stack to its top ----
    tk::Image picShouYe{this};                // cover picture of the start page
    tk::ControlArray<tk::Label> LblInfo{this}; // 0-3 footer, 17-21 start-page link spots
    tk::ControlArray<tavoButton> ClickBotn{this};

    tk::PictureBox PicTOP{this}; // top bar
    tk::Label LblMove{&PicTOP};
    tk::Label LblCaption{&PicTOP};

    tk::PictureBox PicTiKu{this}; // question-bank panel
    tk::Image PicUnitLeft{&PicTiKu};
    tk::Image ImgUnitGezi{&PicTiKu};
    tk::Image ImgUnitD{&PicTiKu}; // learned bar
    tk::Image ImgUnitC{&PicTiKu}; // not-learned bar
    tk::Image imgPicIII{&PicTiKu};
    tk::ControlArray<tk::Label> LblUnitDQCAP{&PicTiKu}; // 0-4

    tk::PictureBox PicKaCH{this}; // paper panel
    tk::Image PicKaCHLeft{&PicKaCH};
    tk::Image ImgSuiJi{&PicKaCH};
    tk::Label LblNoHis{&PicKaCH};
    // Paper cards 0 to 29, each of these elements.
    tk::ControlArray<tk::Image> ImgShiJuan{&PicKaCH};
    tk::ControlArray<tk::Label> LblShiJuanBiao{&PicKaCH};  // title
    tk::ControlArray<tk::Label> LblShiJuanTime{&PicKaCH};  // last exam time
    tk::ControlArray<tk::Label> LblShiJuanSSSS{&PicKaCH};  // "最好成绩：    分"
    tk::ControlArray<tk::Label> LblShiJuanScore{&PicKaCH}; // best score
    tk::ControlArray<tk::Label> LblShiJuanCCC{&PicKaCH};   // "错题复习"
    tk::ControlArray<tk::Label> LblShiJuanCuoTi{&PicKaCH}; // wrong-question count
    tk::ControlArray<tk::Label> LblShiJuanDel{&PicKaCH};   // "删除试卷"

    tk::PictureBox PicBiaoZhi{this}; // marked-question panel
    tk::Image ImgBiaoZhiBack{&PicBiaoZhi};
    tk::Label LblBiaoZhiWei{&PicBiaoZhi}; // not yet reviewed
    tk::Label LblBiaoZhiYI{&PicBiaoZhi};  // reviewed
    tk::PictureBox PicCuoTi{this}; // wrong-question panel
    tk::Image ImgCuoTiBack{&PicCuoTi};
    tk::Label LblCuoTiWei{&PicCuoTi};
    tk::Label LblCuoTiYI{&PicCuoTi};

    tk::PictureBox PicHelp{this}; // help panel
    tk::Image PicHelpLeft{&PicHelp};
    tk::Label LlbHelpCAP{&PicHelp};
    HelpBrowser WebHelpCON{&PicHelp};

    tk::PictureBox PicAd{this}; // advertisement strip
    tk::Label LblAD{&PicAd};

    tk::Timer TimFH{this, 100};

    // The unit table rows 0 to iDanYuanCount - 1 as the unit panel reads them.
    std::vector<bank::UnitRow> unitRows() const;

    // How the exit confirmation ends the program, and how a web link is opened. Tests put their own.
    static void setEndProgramForTests(std::function<void()> end);
    static void setOpenLinkForTests(std::function<void(const QString&)> open);
    // How the about window is shown from the footer links (modal); tests put their own.
    static void setShowAboutForTests(std::function<void()> show);
    // How a new random paper draws its numbers in [0, 1); tests put their own (no reseeding then).
    static void setRandomForTests(std::function<double()> rnd);

protected:
    void Form_Load() override;
    void closeEvent(QCloseEvent* event) override;

private:
    void showPage(int tab); // 15 start page, 16-19 tab pages, 11 help
    void unitPick(int index);
    void unitPage(int page); // 1 units 1-10, 2 units from 11
    void unitScope(int index);
    void unitStart();
    // A bank layout whose unit count is damaged starts nothing from the units: reported, and the
    // candidate told. True when refused.
    bool refuseDamagedBank(const QString& noticeTitle);
    void storeStart(int index);
    void exitConfirmation();
    void showNotice(const QString& title, const QString& prompt);
    // The program's message box with a picture of the data folder, shown modally; returns
    // ModData::iMsgAnswer (1 confirmed). Failing steps are reported under tag. Returns 0 without
    // showing anything when another handler's box is up.
    int askBox(const QString& tag, const QString& title, const QString& pictureName, const QString& prompt);
    void buildUnitPanel();
    void openLinkChecked(const QString& link); // http and https only
    static void showAbout();                   // the about window, modal

    // Advertisement strip (adstrip.cpp).
    void fillAdStrip();
    // Help panel (helppanel.cpp).
    void buildHelpPanel();
    void helpPage(int index);
    // Paper panel (paperpanel.cpp).
    void createPaperCards();
    void buildPaperPanel(const history::UserFolder& folder);
    void paperView(int index);
    void paperCardsFollow();
    void paperPreselect();
    void paperStart(int index);
    void newRandomPaper();
    void deleteGeneratedPaper(int paper);
    // Message box "l20071"; its failing steps are reported under the caller's error tag.
    bool confirm(const QString& tag, const QString& title, const QString& prompt);
    // Marked and wrong-question panels (storepanels.cpp).
    void buildStorePanel(const history::UserFolder& folder, bank::Store store);
    void storeScope(int index);
    void storeClear(int index);
};
