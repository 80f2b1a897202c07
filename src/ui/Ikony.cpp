#include "ui/Ikony.h"

#include <QApplication>
#include <QHash>
#include <QPainter>
#include <QPixmap>
#include <QStyle>

QIcon IkonaMotywu(const QString& nazwa)
{
    static const QHash<QString, QStyle::StandardPixmap> zastepcze = {
        {QStringLiteral("document-new"), QStyle::SP_FileIcon},
        {QStringLiteral("document-open"), QStyle::SP_DialogOpenButton},
        {QStringLiteral("document-save"), QStyle::SP_DialogSaveButton},
        {QStringLiteral("document-save-as"), QStyle::SP_DialogSaveButton},
        {QStringLiteral("document-save-all"), QStyle::SP_DialogSaveButton},
        {QStringLiteral("document-revert"), QStyle::SP_BrowserReload},
        {QStringLiteral("document-edit"), QStyle::SP_FileDialogDetailedView},
        {QStringLiteral("document-import"), QStyle::SP_ArrowDown},
        {QStringLiteral("edit-delete"), QStyle::SP_TrashIcon},
        {QStringLiteral("list-add"), QStyle::SP_FileDialogNewFolder},
        {QStringLiteral("list-remove"), QStyle::SP_DialogDiscardButton},
        {QStringLiteral("folder-new"), QStyle::SP_FileDialogNewFolder},
        {QStringLiteral("folder-open"), QStyle::SP_DirOpenIcon},
        {QStringLiteral("view-refresh"), QStyle::SP_BrowserReload},
        {QStringLiteral("view-list-tree"), QStyle::SP_FileDialogListView},
        {QStringLiteral("go-up"), QStyle::SP_ArrowUp},
        {QStringLiteral("go-down"), QStyle::SP_ArrowDown},
        {QStringLiteral("go-top"), QStyle::SP_TitleBarShadeButton},
        {QStringLiteral("go-bottom"), QStyle::SP_TitleBarUnshadeButton},
        {QStringLiteral("arrow-up"), QStyle::SP_ArrowUp},
        {QStringLiteral("arrow-down"), QStyle::SP_ArrowDown},
        {QStringLiteral("help-contents"), QStyle::SP_DialogHelpButton},
        {QStringLiteral("help-about"), QStyle::SP_MessageBoxInformation},
        {QStringLiteral("application-exit"), QStyle::SP_DialogCloseButton},
        {QStringLiteral("preferences-system"), QStyle::SP_ComputerIcon},
        {QStringLiteral("package-x-generic"), QStyle::SP_DriveFDIcon},
        {QStringLiteral("x-office-spreadsheet"), QStyle::SP_FileDialogContentsView},
    };
    const QIcon zMotywu = QIcon::fromTheme(nazwa);
    if (!zMotywu.isNull())
        return zMotywu;
    const auto it = zastepcze.constFind(nazwa);
    return it == zastepcze.constEnd() ? QIcon() : QApplication::style()->standardIcon(*it);
}

QIcon IkonaRodzajuWyjscia(bool word)
{
    QPixmap obraz(20, 20);
    obraz.fill(Qt::transparent);
    QPainter p(&obraz);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(word ? QColor(0x2b, 0x57, 0x9a) : QColor(0x1e, 0x88, 0x3c));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(1, 1, 18, 18), 3, 3);
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(13);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, 20, 20), Qt::AlignCenter, word ? QStringLiteral("W") : QStringLiteral("O"));
    return QIcon(obraz);
}
