#pragma once
// Small builders the window's pages and dialogs share.

#include <QGroupBox>
#include <QLayout>
#include <QPushButton>
#include <functional>

// A button that runs action when clicked; name, when given, is its object name.
inline QPushButton* Button(const QString& caption, QObject* receiver, std::function<void()> action,
                           const char* name = nullptr) {
  auto* button = new QPushButton(caption);
  if (name) button->setObjectName(name);
  QObject::connect(button, &QPushButton::clicked, receiver, std::move(action));
  return button;
}

// A captioned group around a layout.
inline QGroupBox* Group(const QString& caption, QLayout* layout) {
  auto* group = new QGroupBox(caption);
  group->setLayout(layout);
  return group;
}
