#include "ui/guidancewindows.h"

#include "presentation/fonts.h"
#include "ui/captions.h"
#include "ui/twips.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace veldora {
namespace {

// Label1(index): the guidance windows' captions form one control array each.
QLabel* arrayLabel(const char* text, QWidget* parent, int index) {
  return persianLabel(text, QStringLiteral("Label1_%1").arg(index), parent);
}

QPushButton* okButton(QWidget* window, const std::function<void()>& close) {
  auto* ok = new QPushButton(QString::fromUtf8(captions::kOk), window);
  ok->setObjectName(QStringLiteral("Command1"));
  QObject::connect(ok, &QPushButton::clicked, window, close);
  return ok;
}

}  // namespace

SlumpGuidanceWindow::SlumpGuidanceWindow(std::function<void()> close, QWidget* parent)
    : AnsweredWindow(parent, Qt::Window, close) {
  setObjectName(QStringLiteral("Form2"));
  setWindowTitle(QString::fromUtf8(captions::kSlumpCaption));
  const auto& texts = captions::kSlumpLabels;
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(twips(360));
  // Right to left: the structure type on the right, the minimum, and the maximum leftmost.
  constexpr int kMax = 0, kMin = 1, kStructure = 2;
  auto* structureHeading = arrayLabel(texts[0], this, 0);
  auto* slumpHeading = arrayLabel(texts[1], this, 1);
  grid->addWidget(structureHeading, 0, kStructure, 2, 1, Qt::AlignCenter);
  grid->addWidget(slumpHeading, 0, kMax, 1, 2, Qt::AlignCenter);
  grid->addWidget(arrayLabel(texts[2], this, 2), 1, kMin, Qt::AlignCenter);
  grid->addWidget(arrayLabel(texts[3], this, 3), 1, kMax, Qt::AlignCenter);
  for (int row = 0; row < 6; ++row) {
    grid->addWidget(arrayLabel(texts[4 + row], this, 4 + row), 2 + row, kStructure,
                    Qt::AlignRight | Qt::AlignAbsolute);
    grid->addWidget(arrayLabel(texts[10 + 2 * row], this, 10 + 2 * row), 2 + row, kMin,
                    Qt::AlignCenter);
    grid->addWidget(arrayLabel(texts[11 + 2 * row], this, 11 + 2 * row), 2 + row, kMax,
                    Qt::AlignCenter);
  }
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(okButton(this, close), 0, Qt::AlignHCenter);
  setFixedSize(sizeHint());
}

AggregateGuidanceWindow::AggregateGuidanceWindow(std::function<void()> close, QWidget* parent)
    : AnsweredWindow(parent, Qt::Window, close) {
  setObjectName(QStringLiteral("Form3"));
  setWindowTitle(QString::fromUtf8(captions::kAggregateCaption));
  auto* layout = new QVBoxLayout(this);
  int index = 0;
  for (const char* text : captions::kAggregateLabels) {
    QLabel* label = arrayLabel(text, this, index++);
    layout->addWidget(label);
  }
  // The note is wider and taller than the rules and wraps.
  auto* note = findChild<QLabel*>(QStringLiteral("Label1_5"));
  note->setWordWrap(true);
  note->setMinimumHeight(twips(900));
  layout->addWidget(okButton(this, close), 0, Qt::AlignHCenter);
  setFixedWidth(twips(7200));
}

}  // namespace veldora
