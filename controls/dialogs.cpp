#include "controls/dialogs.h"

#include <cerrno>

#include <unistd.h>

#include "base/files.h"
#include "base/trash.h"

namespace MP3Mod {

Deletion MoveToTrashOrAsk(Dialogs& dialogs, const QString& path) {
    using Outcome = Deletion::Outcome;
    const TrashResult trashed = TrashFile(path);
    if (trashed.gone)
        return {Outcome::Gone, {}};
    if (!trashed.refused)
        return {trashed.failure.isEmpty() ? Outcome::Deleted : Outcome::Failed, trashed.failure};
    const auto answer =
        dialogs.MsgBox(path + QStringLiteral(" cannot be moved to the trash (") + trashed.failure +
                           QStringLiteral("). Delete it for good?"),
                       QStringLiteral("Confirmation of Delete."), Dialogs::Icon::Question,
                       Dialogs::Buttons::YesNo);
    if (answer != Dialogs::Answer::Yes)
        return {Outcome::Kept, {}};
    if (::unlink(EncodeFileName(path).constData()) != 0)
        return {errno == ENOENT ? Outcome::Gone : Outcome::Failed, ErrorText(errno)};
    return {Outcome::Deleted, {}};
}

} // namespace MP3Mod
