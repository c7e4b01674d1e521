#include "app/texts.h"
#include "qt/announcer.h"
#include "qt/board_widget.h"
#include "qt/main_window.h"
#include "qt/promotion_dialog.h"
#include "view/pixel_scale.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusTipEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

using namespace chess;
using chess::ui::BoardWidget;
using chess::ui::MainWindow;

namespace {

QString qs(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QPoint centre(Square square)
{
    const Point p = squareCentre(square);
    return {p.x, p.y};
}

// Runs `answer` on the modal widget once it shows (polling every 10 ms for about 5 s).
// `answer` must close the modal; check what it saw after the call that opened the modal.
void whenModal(std::function<void(QWidget *)> answer, int tries = 500)
{
    QTimer::singleShot(10, qApp, [answer, tries] {
        QWidget *modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible())
            answer(modal);
        else if (tries > 0)
            whenModal(answer, tries - 1);
    });
}

} // namespace

class UiTest : public QObject {
    Q_OBJECT

    std::unique_ptr<MainWindow> window;
    BoardWidget *board = nullptr;
    QLabel *status = nullptr;
    QMenu *fileMenu = nullptr;

    // The window's core handles the cursor's position, which QTest's clicks do not move.
    void doubleClick(QPoint at, Qt::MouseButton button = Qt::LeftButton)
    {
        QCursor::setPos(board->mapToGlobal(at));
        QTest::mouseDClick(board, button, {}, at);
    }
    void move(Square from, Square to)
    {
        doubleClick(centre(from));
        doubleClick(centre(to));
    }
    // The menu action of a command of either menu, found by the menus' tables.
    QAction *action(CommandId id) const
    {
        const QList<QAction *> menus = window->menuBar()->actions();
        for (qsizetype menu = 0; menu < 2; ++menu) {
            const auto items = menu == 0 ? fileMenuItems() : gameMenuItems();
            for (std::size_t i = 0; i < items.size(); ++i)
                if (items[i].command == id)
                    return menus.at(menu)->menu()->actions().at(static_cast<qsizetype>(i));
        }
        return nullptr;
    }
    QColor pixel(QPoint at) const { return board->composedImage().pixelColor(at); }
    // What the player sees: the picture and, over it, the keyboard square's mark.
    QImage shown() const { return board->grab().toImage().convertToFormat(QImage::Format_RGB32); }
    QImage picture() const { return board->composedImage().copy(board->rect()); }
    QString focusedCell() const
    {
        QAccessibleInterface *cell = QAccessible::queryAccessibleInterface(board)->focusChild();
        return cell ? cell->text(QAccessible::Name) : QString();
    }
    QString announced() const { return window->findChild<ui::Announcer *>()->accessibleName(); }
    void activate()
    {
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QVERIFY(board->hasFocus());
    }

private slots:
    void init()
    {
        window = std::make_unique<MainWindow>();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        board = window->findChild<BoardWidget *>();
        status = window->findChild<QLabel *>(QStringLiteral("status"));
        fileMenu = window->menuBar()->actions().at(0)->menu();
        QVERIFY(board && status && fileMenu);
    }
    void cleanup() { window.reset(); }

    void windowAtStart()
    {
        QCOMPARE(window->windowTitle(), QStringLiteral("Chess"));
        QCOMPARE(window->size(), QSize(400, 470));
        QCOMPARE(window->minimumSize(), window->maximumSize());
        QVERIFY(!window->windowIcon().isNull());
        QCOMPARE(status->text(), QStringLiteral("Ready"));
        QCOMPARE(board->accessibleName(), QStringLiteral("board"));
    }

    void menuCaptionsAndOrder()
    {
        QCOMPARE(window->menuBar()->actions().at(0)->text(), QStringLiteral("ファイル(&F)"));
        QStringList captions;
        for (const QAction *item : fileMenu->actions())
            captions << (item->isSeparator() ? QStringLiteral("---") : item->text());
        QCOMPARE(captions,
                 QStringList({"盤面の初期化(&R)", "盤面の保存(&F)", "盤面データを開く", "---",
                              "棋譜を見る(&P)", "棋譜の保存(&R)", "棋譜をコピー", "---", "終了(&X)"}));
    }

    void recordCommandsFollowTheGame()
    {
        const auto recordEnabled = [this] {
            return QList<bool>{action(CommandId::ViewRecord)->isEnabled(),
                               action(CommandId::SaveRecord)->isEnabled(),
                               action(CommandId::CopyRecord)->isEnabled()};
        };
        const QList<bool> off{false, false, false};
        const QList<bool> on{true, true, true};
        QCOMPARE(recordEnabled(), off);
        QVERIFY(action(CommandId::ResetBoard)->isEnabled() && action(CommandId::Exit)->isEnabled());
        doubleClick(centre("e2"_sq));
        QCOMPARE(recordEnabled(), off); // picking up is no move
        doubleClick(centre("e4"_sq));
        QCOMPARE(recordEnabled(), on); // at once, not only when the menu opens
        move("e7"_sq, "e5"_sq);
        QCOMPARE(recordEnabled(), on);
        action(CommandId::ResetBoard)->trigger();
        QCOMPARE(recordEnabled(), off);
        QCOMPARE(status->text(), QStringLiteral("Ready"));
    }

    void statusTextsAfterGestures()
    {
        doubleClick(centre("e7"_sq));
        QCOMPARE(status->text(), qs(texts::whiteTouchedBlackPiece));
        doubleClick(centre("e2"_sq));
        QCOMPARE(status->text(), qs(texts::whiteMoving));
        doubleClick(centre("e5"_sq));
        QCOMPARE(status->text(), qs(texts::illegalMove));
        doubleClick(centre("e4"_sq));
        QCOMPARE(status->text(), QStringLiteral("Turn:Black\u3000thinking\uff65\uff65\uff65"));
        doubleClick(centre("d7"_sq));
        QCOMPARE(status->text(), QStringLiteral("Turn:Black\u3000moving\uff65\uff65\uff65"));
        doubleClick(centre("d7"_sq), Qt::RightButton);
        QCOMPARE(status->text(), QStringLiteral("Turn:Black thinking"));
    }

    // The event's own position is ignored: the square is where the cursor is.
    void squareComesFromTheCursor()
    {
        QCursor::setPos(board->mapToGlobal(centre("d2"_sq)));
        QTest::mouseDClick(board, Qt::LeftButton, {}, centre("e7"_sq));
        QCOMPARE(status->text(), qs(texts::whiteMoving));
        const QImage before = board->composedImage();
        doubleClick(QPoint(39, 300)); // just left of the board: nothing at all
        QCOMPARE(status->text(), qs(texts::whiteMoving));
        QCOMPARE(board->composedImage(), before);
    }

    void statusSurvivesStatusTips()
    {
        doubleClick(centre("g1"_sq));
        QStatusTipEvent tip{QString()};
        QCoreApplication::sendEvent(window.get(), &tip);
        QCOMPARE(status->text(), qs(texts::whiteMoving));
    }

    void composedPicture()
    {
        const QImage &image = board->composedImage();
        QCOMPARE(image.size(), QSize(400, 470));
        QCOMPARE(pixel({2, 2}), QColor(200, 255, 255));
        QCOMPARE(pixel({399, 469}), QColor(200, 255, 255));
        QCOMPARE(pixel({41, 21}), QColor(255, 255, 255)); // a8 is light
        QCOMPARE(pixel({81, 21}), QColor(0, 140, 0));     // b8 is dark
        QCOMPARE(pixel({39, 100}), QColor(0, 0, 0));      // the outline's left column
        QCOMPARE(pixel({38, 100}), QColor(200, 255, 255));
        QCOMPARE(pixel({360, 100}), QColor(0, 0, 0)); // and its right one
        QCOMPARE(pixel({361, 100}), QColor(200, 255, 255));
        QCOMPARE(pixel({41, 39}), QColor(255, 255, 255)); // no frame at start

        // e2's left edge is x = 200; a 3-pixel frame covers 199-201.
        doubleClick(centre("e2"_sq));
        for (int x : {199, 200, 201})
            QCOMPARE(pixel({x, 270}), QColor(0, 0, 255));
        QCOMPARE(pixel({202, 270}), QColor(255, 255, 255));
        doubleClick(centre("e4"_sq));
        QCOMPARE(pixel({200, 190}), QColor(255, 0, 0)); // on e4 now
        QCOMPARE(pixel({200, 270}), QColor(0, 0, 0));   // e2 keeps only its outline
        QCOMPARE(pixel({201, 270}), QColor(255, 255, 255));
    }

    // At twice the pixels the art is the @2x drawing copied pixel for pixel.
    void crispAtTwiceTheScale()
    {
        ui::SquareArt art;
        for (const SquareImage image : allSquareImages()) {
            QCOMPARE(art.image(image, 1).source.size(), QSize(40, 40));
            QCOMPARE(art.image(image, 2).source.size(), QSize(80, 80));
        }
        const QImage picture = ui::composePicture(
            renderBoard(GameState::initialBoard, {}, SelectionState::ShowLastMove), art, 2);
        QCOMPARE(picture.size(), QSize(800, 940));
        // a8 (black rook on light) inside its outline and the frame's 3 picture pixels.
        const QImage rook(QStringLiteral(ART_DIR "/squares/black-rook-light@2x.png"));
        const QRect inside(8, 8, 64, 64);
        QCOMPARE(picture.copy(inside.translated(80, 40)).convertToFormat(QImage::Format_RGB32),
                 rook.copy(inside).convertToFormat(QImage::Format_RGB32));
        QCOMPARE(picture.pixelColor(78, 300), QColor(0, 0, 0)); // outline x = 39 is two pixels
        QCOMPARE(picture.pixelColor(79, 300), QColor(0, 0, 0));
        QCOMPARE(picture.pixelColor(77, 300), QColor(200, 255, 255));
    }

    // The Windows program's board at 200 % is checked against this one, kept as an image
    // beside its test: e2 picked up at the opening, the squares, outlines and frame without
    // the labels, whose fonts the two programs rasterise each their own way.
    void boardAtTwiceTheScaleIsTheWindowsReference()
    {
        ui::SquareArt art;
        const Rect area = PixelScale{192}.toDevice(boardOutline);
        const QImage board =
            ui::composePicture(renderBoard(GameState::initialBoard, "e2"_sq, SelectionState::PieceSelected),
                               art, 2)
                .copy(area.left, area.top, area.right - area.left, area.bottom - area.top);
        const QImage reference =
            QImage(QStringLiteral(WINDOWS_REFERENCE)).convertToFormat(QImage::Format_RGB32);
        if (board != reference)
            board.save(QStringLiteral("board_at_200_percent.png")); // to look at, or to take as the reference
        QVERIFY2(board == reference, "differs from " WINDOWS_REFERENCE "; drawn: board_at_200_percent.png");
    }

    // Each key reaches the core and the focused cell follows; keys with Ctrl and a digit
    // without its letter are left to the window.
    void boardKeys()
    {
        activate();
        const std::pair<const char *, const char *> keys[] = {
            {"Left", "d2, white pawn"}, {"Up, Up", "e4, empty"},
            {"Num+Up", "e3, empty"},    {"Home", "a2, white pawn"},
            {"End", "h2, white pawn"},  {"PgUp", "e8, black king"},
            {"D, 7", "d7, black pawn"}, {"PgDown, Down", "e1, white king"},
            {"5", "e2, white pawn"},    {"Ctrl+Left", "e2, white pawn"}};
        for (const auto &[sequence, focused] : keys) {
            QTest::keyClicks(board, "e2");
            QTest::keySequence(board, QKeySequence(sequence));
            QVERIFY2(focusedCell() == focused, sequence);
        }
        QCOMPARE(status->text(), QStringLiteral("Ready"));
    }

    void accessibleBoard()
    {
        activate();
        QAccessibleInterface *table = QAccessible::queryAccessibleInterface(board);
        QAccessibleInterface *e4 = table->child(36);
        QCOMPARE(table->role(), QAccessible::Table);
        QCOMPARE(table->childCount(), 64);
        QCOMPARE(e4->role(), QAccessible::Cell);
        QCOMPARE(e4->rect(), QRect(board->mapToGlobal(QPoint(200, 180)), QSize(40, 40)));
        QCOMPARE(table->childAt(e4->rect().center().x(), e4->rect().center().y()), e4);
        QCOMPARE(table->indexOfChild(e4), 36);
        QTest::keySequence(board, QKeySequence("Space, Up, Up"));
        QVERIFY(table->child(52)->state().selected && e4->state().focused);
        QCOMPARE(announced(), QStringLiteral("e2, white pawn, picked up"));
        QTest::keyClick(board, Qt::Key_Return);
        QVERIFY(!table->child(52)->state().selected);
        QCOMPARE(e4->text(QAccessible::Name), QStringLiteral("e4, white pawn"));
        QCOMPARE(announced(), QStringLiteral("e2 to e4. Black to move."));
        QCOMPARE(status->text(), QStringLiteral("Turn:Black\u3000thinking\uff65\uff65\uff65"));
        auto *announcer = window->findChild<ui::Announcer *>();
        QCOMPARE(QAccessible::queryAccessibleInterface(announcer)->role(), QAccessible::Notification);
    }

    // The mark shows over the picture only after a key or a Tab into the board, and only while
    // the board has the focus.
    void focusMark()
    {
        activate();
        move("e2"_sq, "e4"_sq);
        QCOMPARE(shown(), picture()); // mouse alone: the picture as it was
        board->clearFocus();
        board->setFocus(Qt::TabFocusReason);
        const Rect e4 = focusMarkRect("e4"_sq);
        QCOMPARE(shown().pixelColor(e4.left, e4.top + 15), QColor(255, 140, 0));
        QTest::keyClick(board, Qt::Key_Left);
        const QPoint d4(focusMarkRect("d4"_sq).left + 2, focusMarkRect("d4"_sq).top + 15);
        QCOMPARE(shown().pixelColor(d4), QColor(255, 140, 0));
        QCOMPARE(shown().pixelColor(d4 + QPoint(1, 0)), pixel(d4 + QPoint(1, 0)));
        board->clearFocus();
        QCOMPARE(shown(), picture());
    }

    void promotionDialogResults_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("choice");
        QTest::newRow("Queen") << "Queen" << 0;
        QTest::newRow("Rook") << "Rook" << 1;
        QTest::newRow("Bishop") << "Bishop" << 2;
        QTest::newRow("Knight") << "Knight" << 3;
        QTest::newRow("Enter on Knight") << "enter" << 0;
        QTest::newRow("Tab, Space") << "Tab, Space" << 1;
        QTest::newRow("Down, Down, Space") << "Down, Down, Space" << 2;
        QTest::newRow("Left, Space") << "Left, Space" << 3;
        QTest::newRow("Escape") << "escape" << 0;
        QTest::newRow("closed") << "close" << 0;
    }
    void promotionDialogResults()
    {
        QFETCH(QString, answer);
        QFETCH(int, choice);
        ui::PromotionDialog dialog(window.get());
        QString title;
        whenModal([&](QWidget *modal) {
            title = modal->windowTitle();
            if (answer == "enter") {
                modal->findChild<QPushButton *>("Knight")->setFocus();
                QTest::keyClick(modal, Qt::Key_Return);
            } else if (answer == "escape") {
                QTest::keyClick(modal, Qt::Key_Escape);
            } else if (answer == "close") {
                modal->close();
            } else if (answer.contains(' ')) {
                const QKeySequence keys(answer);
                for (int i = 0; i < keys.count(); ++i)
                    QTest::keyClick(QApplication::focusWidget(), keys[i].key());
            } else {
                modal->findChild<QPushButton *>(answer)->click();
            }
        });
        QCOMPARE(dialog.exec(), choice);
        QCOMPARE(title, QStringLiteral("プロモーション"));
    }

    // Laid out in dialog units of its monospace font, the prompt fits its box in two lines.
    void promotionDialogLayout()
    {
        ui::PromotionDialog dialog(window.get());
        const auto *prompt = dialog.findChild<QLabel *>();
        QCOMPARE(prompt->text(), QStringLiteral("プロモーションです。どれか選んで下さい。"));
        QVERIFY(prompt->heightForWidth(prompt->width()) <= prompt->height());
        const auto buttons = dialog.findChildren<QPushButton *>();
        QCOMPARE(buttons.size(), 4);
        for (const QPushButton *button : buttons) {
            QVERIFY(dialog.rect().contains(button->geometry()));
            QVERIFY(!button->autoDefault());
            QVERIFY(button->fontMetrics().horizontalAdvance(button->text()) < button->width());
            QVERIFY(!button->geometry().intersects(prompt->geometry()));
        }
    }

    void recordBoxIsModal()
    {
        move("e2"_sq, "e4"_sq);
        move("e7"_sq, "e5"_sq);
        move("g1"_sq, "f3"_sq);
        QString caption, text;
        bool modalToWindow = false, fixedPitch = false;
        whenModal([&](QWidget *modal) {
            caption = modal->windowTitle();
            modalToWindow = modal->parentWidget() == window.get();
            if (auto *box = qobject_cast<QMessageBox *>(modal))
                text = box->text();
            // The columns line up only in a fixed-pitch font.
            for (const QLabel *label : modal->findChildren<QLabel *>())
                if (label->text() == text)
                    fixedPitch = QFontInfo(label->font()).fixedPitch();
            QTest::keyClick(modal, Qt::Key_Return);
        });
        action(CommandId::ViewRecord)->trigger();
        QCOMPARE(caption, QStringLiteral("棋譜"));
        QCOMPARE(text, QStringLiteral("1  e2-e4      e7-e5\n2  g1-f3      "));
        QVERIFY(modalToWindow);
        QVERIFY(fixedPitch);
    }

    void recordCopiedWithItsLineEnds()
    {
        move("e2"_sq, "e4"_sq);
        move("e7"_sq, "e5"_sq);
        move("g1"_sq, "f3"_sq);
        action(CommandId::CopyRecord)->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QStringLiteral("1  e2-e4      e7-e5\r\n2  g1-f3      "));
    }

    // The chooser presets the name, filters by the pattern in its filter text, adds the default
    // extension, and the file holds exactly the record.
    void recordSavedThroughTheChooser()
    {
        move("d2"_sq, "d4"_sq);
        QTemporaryDir dir;
        QString title, preset;
        QStringList filters, patterns;
        whenModal([&](QWidget *modal) {
            title = modal->windowTitle();
            auto *dialog = qobject_cast<QFileDialog *>(modal);
            filters = dialog->nameFilters();
            patterns = dialog->findChild<QFileSystemModel *>()->nameFilters();
            auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            preset = name->text();
            name->setText(dir.filePath(QStringLiteral("game")));
            QTest::keyClick(name, Qt::Key_Return);
        });
        action(CommandId::SaveRecord)->trigger();
        QCOMPARE(title, QStringLiteral("名前をつけて保存"));
        QCOMPARE(preset, QStringLiteral("棋譜.txt"));
        QCOMPARE(filters, QStringList({"テキストファイル(*.txt)", "全てのファイル(*.*)"}));
        QCOMPARE(patterns, QStringList({"*.txt"}));
        QFile saved(dir.filePath(QStringLiteral("game.txt")));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), QByteArray("1  d2-d4      "));
        saved.close();

        // The same name again: the chooser asks before the file is replaced.
        move("d7"_sq, "d5"_sq);
        QString question;
        whenModal([&](QWidget *modal) {
            auto *name = modal->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            name->setText(saved.fileName());
            whenModal([&](QWidget *box) {
                question = qobject_cast<QMessageBox *>(box)->text();
                qobject_cast<QMessageBox *>(box)->button(QMessageBox::Yes)->click();
            });
            QTest::keyClick(name, Qt::Key_Return);
        });
        action(CommandId::SaveRecord)->trigger();
        QVERIFY(question.contains(QStringLiteral("game.txt")));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), QByteArray("1  d2-d4      d7-d5\r\n"));
    }

    // Both choosers add the default extension to a typed name; the open one shows only the
    // position files and takes only an existing file.
    void positionSavedAndOpenedAgain()
    {
        QTemporaryDir dir;
        const QString typed = dir.filePath(QStringLiteral("pos"));
        const auto type = [](QWidget *modal, const QString &path) {
            auto *name = modal->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            name->setText(path);
            QTest::keyClick(name, Qt::Key_Return);
        };
        whenModal([&](QWidget *modal) { type(modal, typed); });
        action(CommandId::SavePosition)->trigger();
        QVERIFY(QFile::exists(typed + QStringLiteral(".fen")));

        move("e2"_sq, "e4"_sq);
        QString title;
        QStringList patterns;
        QFileDialog::FileMode mode = QFileDialog::AnyFile;
        whenModal([&](QWidget *modal) {
            auto *dialog = qobject_cast<QFileDialog *>(modal);
            title = dialog->windowTitle();
            mode = dialog->fileMode();
            patterns = dialog->findChild<QFileSystemModel *>()->nameFilters();
            type(modal, typed);
        });
        action(CommandId::OpenPosition)->trigger();
        QCOMPARE(title, QStringLiteral("盤面を開く"));
        QCOMPARE(mode, QFileDialog::ExistingFile);
        QCOMPARE(patterns, QStringList({"*.fen"}));
        QCOMPARE(status->text(), QStringLiteral("Turn:White thinking"));
        QVERIFY(!action(CommandId::ViewRecord)->isEnabled());
        ui::SquareArt art;
        const QImage opening = ui::composePicture(
            renderBoard(GameState::initialBoard, "e4"_sq, SelectionState::IdleAfterLoad), art, 1);
        QCOMPARE(board->composedImage(), opening);
    }

    // The clock part stays hidden until a clock is set through the dialog, whose players' own
    // fields are checked; then it shows both times, which run after the first move. (The
    // desktop session sees the rest, but cannot read the label's text.)
    void clockPartAndDialog()
    {
        auto *clock = window->findChild<QLabel *>(QStringLiteral("clock"));
        QVERIFY(clock->isHidden());
        QString refused;
        whenModal([&](QWidget *dialog) {
            const auto fields = dialog->findChildren<QLineEdit *>();
            fields.first()->setText(QStringLiteral("0"));
            dialog->findChildren<QRadioButton *>().last()->setChecked(true);
            whenModal([&](QWidget *box) {
                refused = static_cast<QMessageBox *>(box)->text();
                box->close();
                fields.first()->setText(QStringLiteral("1"));
                fields.last()->setText(QStringLiteral("0"));
                static_cast<QDialog *>(dialog)->accept();
            });
            static_cast<QDialog *>(dialog)->accept(); // refused: the box above opens
        });
        action(CommandId::ChooseClock)->trigger();
        QCOMPARE(refused, QStringLiteral("分は1～180、秒は0～60で入力して下さい"));
        QVERIFY(clock->isVisible());
        QCOMPARE(clock->text(), QStringLiteral("白 1:00  黒 1:00"));
        QCOMPARE(clock->accessibleName(), QStringLiteral("White 1 minute, Black 1 minute."));
        move("e2"_sq, "e4"_sq);
        QTRY_COMPARE_WITH_TIMEOUT(clock->text(), QStringLiteral("白 1:00  ▶黒 0:59"), 2000);
        action(CommandId::PauseClock)->trigger();
        QCOMPARE(action(CommandId::PauseClock)->text(), QStringLiteral("時計を動かす(&P)"));
        const QString stopped = clock->text();
        QTest::qWait(1100);
        QCOMPARE(clock->text(), stopped);
    }

    void exitClosesTheWindow()
    {
        action(CommandId::Exit)->trigger();
        QVERIFY(!window->isVisible());
    }
};

QTEST_MAIN(UiTest)
#include "ui_test.moc"
