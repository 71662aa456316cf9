#include "library/tagpopup.h"

#include <QCursor>
#include <QMenu>

#include "base/id3.h"
#include "base/mediaplayer.h"
#include "base/names.h"
#include "windows/form1.h"

TagPopup::TagPopup(Form1& form1, MediaPlayer& media) : form1_(form1), media_(media) {}

void TagPopup::TheID3Click() {
    using namespace MP3Mod;
    auto shown = [this](QString (*field)(const QString&)) {
        return CutMp3Extension(UnderscoresToBlanks(field(media_.CurrentFile())));
    };
    SetCaption(form1_.Artist1, QStringLiteral("Artist: ") + shown(ReadTagArtist));
    SetCaption(form1_.Song1, QStringLiteral("Title: ") + shown(ReadTagTitle));
    SetCaption(form1_.Album1, QStringLiteral("Album: ") + shown(ReadTagAlbum));
    SetCaption(form1_.Year1, QStringLiteral("Year: ") + shown(ReadTagYear));
    form1_.ID3Stuff->popup(QCursor::pos());
}
