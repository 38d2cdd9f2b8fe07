// Texts of the section model shown to the user (UTF-8; stored files hold Windows-1251).
#pragma once

namespace sonvela::strings {

// Name of the section the editor adds to a project without sections.
inline constexpr const char* UntitledSection = "БезНазвания";

// Length units of a section, by FUnit.
inline constexpr const char* UnitNames[] = {"мм", "см", "м", "inch"};

// Control marker labels.
inline constexpr const char* MarkerObstructed = "ОПЗ";
inline constexpr const char* MarkerDirectZone = "ЗПЗ";
inline constexpr const char* MarkerNoReflection = "НО";

// Reading a section record.
inline constexpr const char* ErrUnknownElementTag = "Неизвестный тип элемента разреза: ";
inline constexpr const char* ErrUnknownSizeTag = "Неизвестный тип размера: ";
inline constexpr const char* ErrUnknownSizeKind = "Неизвестный вид линейного размера: ";
inline constexpr const char* ErrUnknownUnit = "Неизвестная единица длины разреза: ";
inline constexpr const char* ErrNodeIndex = "Номер узла вне списка узлов разреза: ";
inline constexpr const char* ErrNodeShared = "Узел разреза принадлежит нескольким элементам: ";
inline constexpr const char* ErrNodeOrphan = "Узел разреза не принадлежит ни одному элементу: ";
inline constexpr const char* ErrElementIndex = "Номер элемента вне списка элементов разреза: ";
inline constexpr const char* ErrNotSound = "Источник звука разреза указывает не на источник: ";
inline constexpr const char* ErrNotCircle = "Размер окружности указывает не на окружность: ";
inline constexpr const char* ErrCircleCentre = "Размер окружности не в центре окружности";
inline constexpr const char* ErrNotSpectatorLine = "Маркер указывает не на линию зрительских мест: ";
inline constexpr const char* ErrMarkerIndex = "Номер точки маркера вне линии: ";
inline constexpr const char* ErrMarkerText = "Длина надписи маркера больше 10: ";
inline constexpr const char* ErrNodesNotEmpty = "Список узлов разреза не пуст";

// Counted items of a section record, for the reader's count check.
inline constexpr const char* WhatSections = "разрезы";
inline constexpr const char* WhatNodes = "узлы разреза";
inline constexpr const char* WhatElements = "элементы разреза";
inline constexpr const char* WhatElementNodes = "узлы элемента";
inline constexpr const char* WhatSizes = "размеры";
inline constexpr const char* WhatMarkers = "маркеры";

// Undo history.
inline constexpr const char* ErrListIndex = "Индекс списка вне границ: ";
inline constexpr const char* ErrUndoOtherSection = "Откат невозможен: изменение сделано в другом разрезе";

} // namespace sonvela::strings
