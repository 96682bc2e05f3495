#include "tables/ui/tables_opener.h"

#include <QApplication>
#include <QLineEdit>

#include "shell/ui/form_view.h"
#include "tables/code_editor_form.h"
#include "tables/excise_rates.h"
#include "tables/list_file.h"
#include "tables/raw_materials_form.h"
#include "tables/structure_form.h"
#include "tables/ui/beer_types_view.h"
#include "tables/ui/list_view.h"

namespace veltrano {
namespace {

// What the generic view leaves to the window: amounts right-aligned, and the
// "MODIFICA o CANCELLA" label shown as a label rather than as a field.
void Dress(FormModel& model, FormView& view) {
    for (const FieldSpec& f : model.fields()) {
        auto* edit = qobject_cast<QLineEdit*>(view.widget(f.name));
        if (edit == nullptr) continue;
        if (f.kind == FieldKind::Amount) edit->setAlignment(Qt::AlignRight);
        if (f.name == "LMODIFICA") {
            edit->setFrame(false);
            edit->setStyleSheet(
                QStringLiteral("QLineEdit { background: transparent; color: rgb(192,0,0); "
                               "font-weight: bold; }"));
        }
    }
}

template <class View>
WindowResult Run(FormModel& model, View& view) {
    Dress(model, view);
    WindowResult r;
    r.opened = true;
    r.confirmed = view.run();
    r.entry = model.resultEntry();
    r.id = model.resultId();
    return r;
}

}  // namespace

std::optional<WindowResult> TablesWindowOpener::open(const std::string& window,
                                                     const std::string& mode) {
    QWidget* parent =
        QApplication::activeModalWidget() != nullptr ? QApplication::activeModalWidget() : parent_;
    if (window == "TFLISTVIEW") {
        WindowResult r;
        r.opened = true;
        ListData data;
        try {
            data = BuildTableList(session_.folders, mode);
        } catch (const std::exception& e) {
            dialogs_.showError(e);
            return r;
        }
        ListModel model(std::move(data));
        ListView view(model, parent, metrics_, viewer_);
        r.id = view.run();
        r.confirmed = r.id >= 0;
        return r;
    }
    if (window != "TFCODICI" && window != "TFTABACCISE" && window != "TFMATPRI" &&
        window != "TFPRODAZ" && window != "TFSTRUTAB") {
        return std::nullopt;
    }
    if (!mode.empty()) session_.mode = mode;
    if (window == "TFPRODAZ") {
        BeerTypesForm model(session_, dialogs_);
        BeerTypesView view(model, parent);
        return Run(model, view);
    }
    std::unique_ptr<FormModel> model;
    if (window == "TFCODICI") model = std::make_unique<CodeEditorForm>(session_, dialogs_, mode);
    if (window == "TFTABACCISE") model = std::make_unique<ExciseRateForm>(session_, dialogs_);
    if (window == "TFMATPRI") model = std::make_unique<RawMaterialsForm>(session_, dialogs_);
    if (window == "TFSTRUTAB") model = std::make_unique<StructureEditorForm>(session_, dialogs_);
    FormView view(*model, parent);
    return Run(*model, view);
}

}  // namespace veltrano
