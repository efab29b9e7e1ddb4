// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/StoreNotices.h"

#include <string.h>

#include <QApplication>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <algorithm>

#include "app/CoilixApp.h"
#include "app/DialogButtons.h"
#include "framework/ResString.h"
#include "framework/ShownText.h"
#include "res/resource.h"
#include "store/FileRegistry.h"

namespace {

QString FromBytes(const std::string& s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// A path, or a line of the file, as it is shown.
QString Shown(const std::string& s) {
    return ShownAsIs(FromBytes(s), TextDirection::kLeftToRight);
}

// "line 7: ...; line 12: ...; and 3 more"
QString DroppedLines(const StoreNotice& notice) {
    QStringList lines;
    for (const RegDroppedLine& line : notice.dropped) {
        lines << LoadQString(IDS_STORE_LINE)
                     .arg(static_cast<qulonglong>(line.nLine))
                     .arg(Shown(line.strText));
    }
    if (notice.nDropped > notice.dropped.size()) {
        lines << LoadQString(IDS_STORE_MORE_LINES)
                     .arg(static_cast<qulonglong>(notice.nDropped - notice.dropped.size()));
    }
    return lines.join(QStringLiteral("; "));
}

QString StoreNoticeText(const StoreNotice& notice) {
    const QString strPath = Shown(notice.strPath);
    const QString strAside = Shown(notice.strAside);
    const QString strDetail = FromBytes(notice.strDetail);
    switch (notice.kind) {
        case StoreNotice::Kind::kUnreadable:
            return LoadQString(IDS_STORE_UNREADABLE).arg(strPath, strDetail);
        case StoreNotice::Kind::kTooLarge: {
            QString strText = LoadQString(IDS_STORE_SET_ASIDE).arg(strPath, strAside);
            if (notice.nLeftOut > 0) {
                strText +=
                    QLatin1Char(' ') +
                    LoadQString(IDS_STORE_LEFT_OUT).arg(static_cast<qulonglong>(notice.nLeftOut));
            }
            return strText;
        }
        case StoreNotice::Kind::kTooLargeKept:
            return LoadQString(IDS_STORE_TOO_LARGE_KEPT).arg(strPath, strDetail);
        case StoreNotice::Kind::kNotRepaired:
            return LoadQString(IDS_STORE_NOT_REPAIRED)
                .arg(strPath, DroppedLines(notice), strDetail, strAside);
        case StoreNotice::Kind::kWouldBeTooLarge:
            return LoadQString(IDS_STORE_WOULD_BE_TOO_LARGE).arg(strPath);
        case StoreNotice::Kind::kNotStored:
            return LoadQString(IDS_STORE_NOT_STORED).arg(strPath);
        case StoreNotice::Kind::kLinesDropped:
            return LoadQString(IDS_STORE_LINES_DROPPED)
                .arg(strPath, DroppedLines(notice), strAside);
        case StoreNotice::Kind::kDamagedKept:
            return LoadQString(IDS_STORE_DAMAGED_KEPT)
                .arg(strPath, DroppedLines(notice), strDetail);
        case StoreNotice::Kind::kCannotWrite:
            return LoadQString(IDS_STORE_CANNOT_WRITE).arg(strPath, strDetail);
        case StoreNotice::Kind::kLockBusy:
            return LoadQString(IDS_STORE_LOCK_BUSY).arg(strPath);
        case StoreNotice::Kind::kScoreKeptAside:
            return LoadQString(IDS_STORE_SCORE_KEPT_ASIDE).arg(strAside);
    }
    return {};
}

}  // namespace

// Shows the notices over the window while it is shown, else on stderr.
void ShowStoreNotices(CFileRegistry& reg, QWidget* pWindow) {
    QStringList texts;
    for (const StoreNotice& notice : reg.TakeNotices()) texts << StoreNoticeText(notice);
    if (texts.isEmpty()) return;
    const QString strText = texts.join(QStringLiteral("\n\n"));
    if (pWindow == nullptr || !pWindow->isVisible()) {
        ReportToStderr(strText);
        return;
    }
    // Paths and lines come from files: never read as markup.
    ShowMessageBox(pWindow, QMessageBox::Warning, strText);
}

void AttachStoreNotices(CFileRegistry& reg, QWidget* pWindow) {
    QPointer<QWidget> window(pWindow);
    auto schedule = [&reg, window] {
        // Without a shown window (at exit) there is no later: say it now.
        if (window.isNull() || !window->isVisible()) {
            ShowStoreNotices(reg, nullptr);
            return;
        }
        // Not inside the store's write, which may hold its lock: soon after.
        QTimer::singleShot(0, window.data(),
                           [&reg, window] { ShowStoreNotices(reg, window.data()); });
    };
    reg.SetNoticeHandler(schedule);
    if (reg.HasNotices()) schedule();
}

void RetryWaitingStoreWrites(CFileRegistry& reg, QObject* pOwner) {
    auto* pTimer = new QTimer(pOwner);
    pTimer->setInterval(reg.Waits().retry);
    QObject::connect(pTimer, &QTimer::timeout, [&reg, pTimer] {
        if (reg.HasWaitingWrites()) reg.RetryWaitingWrites(std::chrono::milliseconds(0));
        // As often as the store says now.
        if (pTimer->intervalAsDuration() != reg.Waits().retry)
            pTimer->setInterval(reg.Waits().retry);
    });
    pTimer->start();
}

bool FinishStoreAtExit(CFileRegistry& reg, QWidget* pWindow, int nSignal) {
    // Said here, now, and not later by a handler: there is no later.
    reg.SetNoticeHandler({});
    // What was saved on the way out, with what waited, in one pass; only a
    // store held by another program makes the exit wait.
    reg.EndBatch(std::chrono::milliseconds(0));
    if (reg.HasWaitingWrites()) {
        if (nSignal == 0) QApplication::setOverrideCursor(Qt::WaitCursor);
        if (!reg.RetryWaitingWrites(reg.Waits().atExit)) reg.AbandonWaitingWrites();
        if (nSignal == 0) QApplication::restoreOverrideCursor();
    }
    std::vector<StoreNotice> notices = reg.TakeNotices();
    // A write that waited has been made, or given up and said so.
    std::erase_if(notices,
                  [](const StoreNotice& n) { return n.kind == StoreNotice::Kind::kLockBusy; });
    if (notices.empty()) return true;
    using Kind = StoreNotice::Kind;
    const bool bAllSaved = std::all_of(notices.begin(), notices.end(), [](const StoreNotice& n) {
        return n.kind == Kind::kLinesDropped || n.kind == Kind::kTooLarge ||
               n.kind == Kind::kScoreKeptAside;
    });
    QStringList texts;
    for (const StoreNotice& notice : notices) texts << StoreNoticeText(notice);
    texts.removeDuplicates();
    // Said to fit the moment: the program is ending, and what was not saved.
    if (nSignal != 0) {
        const QString strSignal =
            QStringLiteral("SIG") + QString::fromLatin1(sigabbrev_np(nSignal));
        const QString strTexts = texts.join(QLatin1Char(' '));
        ReportToStderr(bAllSaved ? strTexts
                                 : LoadQString(IDS_STORE_AT_SIGNAL).arg(strSignal, strTexts));
        return bAllSaved;
    }
    if (!bAllSaved) texts.prepend(LoadQString(IDS_STORE_AT_EXIT));
    if (pWindow == nullptr || !pWindow->isVisible()) {
        ReportToStderr(texts.join(QLatin1Char(' ')));
    } else {
        ShowMessageBox(pWindow, QMessageBox::Warning, texts.join(QStringLiteral("\n\n")));
    }
    return bAllSaved;
}
