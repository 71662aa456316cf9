#include "controls/dialogs.h"

#include <cerrno>

#include <unistd.h>

#include "base/files.h"
#include "base/trash.h"

namespace MP3Mod {

int MoveToTrashOrAsk(Dialogs& dialogs, const QString& path) {
    const TrashResult trashed = TrashFile(path);
    if (!trashed.refused)
        return trashed.error;
    const auto answer =
        dialogs.MsgBox(path + QStringLiteral(" cannot be moved to the trash (") +
                           ErrorText(trashed.error) + QStringLiteral("). Delete it for good?"),
                       QStringLiteral("Confirmation of Delete."), Dialogs::Icon::Question,
                       Dialogs::Buttons::YesNo);
    if (answer != Dialogs::Answer::Yes)
        return ECANCELED;
    return ::unlink(EncodeFileName(path).constData()) == 0 ? 0 : errno;
}

} // namespace MP3Mod
