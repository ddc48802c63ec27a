// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/graphic_data_export.h"

#include "model/run/graphic_data.h"
#include "output/file_saving.h"

#include <QByteArray>

namespace tarnis {

void exportGraphicData(QWidget* parent, SharedState& state, Services services)
{
    // The dialog lists all files and the name is used as given: no filter, no extension added.
    const QString fileName
        = services.fileNames.saveFileName(parent, QString::fromStdString(state.lastExportFileName), QString());
    if (fileName.isEmpty())
        return; // cancelled: never fall back to the name written last
    // Written as bytes, not in text mode, so the CR LF line ends reach the file as they are.
    const QByteArray text = QByteArray::fromStdString(graphicDataText(state.store));
    if (saveFile(parent, fileName, text, services.messages))
        state.lastExportFileName = fileName.toStdString();
}

} // namespace tarnis
