#pragma once

// The recipe page of the main window (Panel4): thirty set values, their files and
// their writing to the controllers.

#include "panels.h"
#include "recipetexts.h"

#include <QList>
#include <QString>
#include <QWidget>

#include <array>
#include <memory>

struct RejectedWrite;
class FileDialogs;
class MessageBoxes;
class PlantModel;
class QAbstractButton;
class QLineEdit;
class RecipeWriteSequence;
class TFmWriting;

namespace Ui {
class RecipePage;
}

class RecipePage : public QWidget {
    Q_OBJECT
public:
    explicit RecipePage(QWidget *parent = nullptr);
    ~RecipePage() override;

    // What the page works with; until then its buttons do nothing. `recipeFolder` is
    // where the file dialogs open.
    void attach(PlantModel &model, MessageBoxes &boxes, FileDialogs &dialogs, const QString &recipeFolder);
    // The write progress window, created after the main window.
    void setProgressWindow(TFmWriting *window) { progress_ = window; }

    // A write the engine refused. True when it belongs to a recipe write under way,
    // which reports it; false leaves it to the main window.
    bool takesRejection(const RejectedWrite &write);

    bool writing() const;
    // Ends a write under way without a report: nothing more is placed.
    void stopWriting();

    RecipeTexts texts() const;
    void setTexts(const RecipeTexts &texts);
    QLineEdit *field(int panel, int slot) const;

public slots:
    void BtnWriteAClick();
    void BtnWriteBClick();
    void BtnWriteCClick();
    void BtnWriteAllClick();
    void BtnSaveRecipeClick();
    void BtnLoadRecipeClick();

private:
    // Panel 1 to 3, or 0 for all panels.
    void writeRecipe(int panel);
    void writeFinished(const QList<RejectedWrite> &refused);
    void setWriteButtonsEnabled(bool enabled);
    void tell(const QString &caption, const QString &text, bool error);

    std::unique_ptr<Ui::RecipePage> ui;
    std::array<std::array<QLineEdit *, kSlotCount + 1>, kPanelCount + 1> fields_{}; // [panel][slot]
    QList<QAbstractButton *> writeButtons_;
    PlantModel *model_ = nullptr;
    MessageBoxes *boxes_ = nullptr;
    FileDialogs *dialogs_ = nullptr;
    QString recipeFolder_;
    TFmWriting *progress_ = nullptr;
    RecipeWriteSequence *sequence_ = nullptr;
};
