#include "homepages.h"

const std::array<HomePage, 6> &homePages()
{
    // ImgButton5 opens the recording dialog over whatever page is in front, so it
    // neither switches the page nor touches the caption.
    static const std::array<HomePage, 6> pages{{
        {1, "Panel1", "溫度監控-->監控畫面", true, "監控畫面"},
        {2, "Panel2", "溫度監控-->曲線圖", std::nullopt, "曲線圖"},
        {6, "Panel5", "溫度監控-->直條圖", std::nullopt, "直條圖"},
        {3, "Panel3", "溫度監控-->警報", std::nullopt, "警報"},
        {4, "Panel4", "溫度監控-->配方", false, "配方"},
        {5, nullptr, nullptr, std::nullopt, "紀錄存檔"},
    }};
    return pages;
}

const HomePage *homePageForButton(int button)
{
    for (const HomePage &page : homePages()) {
        if (page.button == button)
            return &page;
    }
    return nullptr;
}

QString pageButtonPictureFile(int button, bool pressed)
{
    return QStringLiteral("button%1%2.bmp").arg(button).arg(pressed ? QLatin1Char('D') : QLatin1Char('U'));
}
