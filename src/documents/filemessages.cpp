#include "filemessages.h"

#include "components/commondialog/commondialog.h"
#include "documenthost.h"

namespace FileMessages {

void reportFailure(const QString& message, const QString& path)
{
    CommonDialog::provider().message(DocumentHost::current()->hostWidget(), CommonDialog::defaultTitle(),
                                     message + path, CommonDialog::Buttons::Ok, CommonDialog::Icon::None);
}

}  // namespace FileMessages
