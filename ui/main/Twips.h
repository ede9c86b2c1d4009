#pragma once
// The window layout is designed in twips (1440 to the inch); at 96 dots per inch 15 twips make one pixel.
namespace korvel::ui {

constexpr int twips(int t)
{
    return t >= 0 ? (2 * t + 15) / 30 : -((-2 * t + 15) / 30);
}

} // namespace korvel::ui
