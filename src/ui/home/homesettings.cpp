#include "homesettings.h"

#include "plantmodel.h"
#include "settingscontrols.h"
#include "strictint.h"
#include "tcontroller.h"
#include "tfmchartsetting.h"
#include "tfmcommsetting.h"
#include "tfmhome.h"
#include "tfmrecord.h"
#include "titleplacement.h"

#include <QLineEdit>

namespace {

SettingValue companyName(TFmHome &home)
{
    // The title window stores it when the operator confirms it; shutdown does not.
    SettingValue value{QStringLiteral("HmTitle"), SettingKind::Text, QStringLiteral("請按Ctrl+A輸入公司名稱"),
                       [&home] { return QVariant(home.companyTitle()); },
                       [&home](const QVariant &text) {
                           home.setCompanyTitle(text.toString(), titleLeftEdge(text.toString()));
                           return true;
                       }};
    value.savedAtShutdown = false;
    return value;
}

SettingValue unitTitle(const QString &name, TController *tile)
{
    // Every tile starts with the first one's name.
    return {name, SettingKind::Text, QStringLiteral("溫控點 01"),
            [tile] { return QVariant(tile->titleText()); },
            [tile](const QVariant &text) {
                tile->setTitleText(text.toString());
                return true;
            }};
}

SettingValue stationId(const QString &name, TController *tile)
{
    return {name, SettingKind::Text, QStringLiteral("1"), [tile] { return QVariant(tile->idText()); },
            [tile](const QVariant &text) {
                // The field itself turns an empty text into "1"; what it then holds
                // must be an address.
                tile->setIdText(text.toString());
                return stationIdFromText(tile->idText()).has_value();
            }};
}

} // namespace

SettingsSection homeSettingsSection(TFmHome &home, PlantModel &model)
{
    SettingsSection section;
    section.key = QStringLiteral("FmHome");
    section.values.push_back(companyName(home));
    for (int n = 1; n <= kSlotCount; ++n) {
        for (int p = 1; p <= kPanelCount; ++p)
            section.values.push_back(unitTitle(QStringLiteral("UnitTitle%1_%2").arg(panelLetter(p)).arg(n),
                                               home.tile(p, n)));
        for (int p = 1; p <= kPanelCount; ++p)
            section.values.push_back(stationId(QStringLiteral("ID%1_%2").arg(panelLetter(p)).arg(n), home.tile(p, n)));
        for (int p = 1; p <= kPanelCount; ++p)
            section.values.push_back(textSetting(QStringLiteral("Recipe%1_%2").arg(panelLetter(p)).arg(n),
                                                 home.recipeField(p, n), QStringLiteral("100")));
    }
    section.apply = [&home, &model] {
        for (int p = 1; p <= kPanelCount; ++p) {
            for (int n = 1; n <= kSlotCount; ++n) {
                if (const auto id = stationIdFromText(home.tile(p, n)->idText()))
                    model.setStationId(p, n, *id);
            }
        }
    };
    return section;
}

std::vector<SettingsSection> programSettingsSections(TFmHome &home, PlantModel &model)
{
    const HomeWindows &windows = home.windows();
    std::vector<SettingsSection> sections{homeSettingsSection(home, model)};
    if (windows.commSetting)
        sections.push_back(windows.commSetting->settingsSection());
    if (auto *chartSetting = qobject_cast<TFmChartSetting *>(windows.chartSetting))
        sections.push_back(chartSetting->settingsSection());
    if (windows.record)
        sections.push_back(windows.record->settingsSection());
    return sections;
}
