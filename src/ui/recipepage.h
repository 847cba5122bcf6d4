#pragma once

// The recipe page of the main window (Panel4): thirty set values, their files and
// their writing to the controllers.

#include <QWidget>

#include <memory>

struct RejectedWrite;

namespace Ui {
class RecipePage;
}

class RecipePage : public QWidget {
    Q_OBJECT
public:
    explicit RecipePage(QWidget *parent = nullptr);
    ~RecipePage() override;

    // A write the engine refused. True when it belongs to a recipe write under way,
    // which reports it; false leaves it to the main window.
    bool takesRejection(const RejectedWrite &write);

private:
    std::unique_ptr<Ui::RecipePage> ui;
};
