#include "filemessages.h"

#include "components/commondialog/commondialog.h"
#include "hosts/documenthost.h"
#include "texts/filetexts.h"

namespace FileMessages {

void reportFailure(const QString& message, const QString& path, const QString& reason)
{
    CommonDialog::provider().message(DocumentHost::current()->hostWidget(), CommonDialog::defaultTitle(),
                                     Texts::withReason(message + path, reason), CommonDialog::Buttons::Ok,
                                     CommonDialog::Icon::None);
}

}  // namespace FileMessages
