// Batch Print's question: a size that gives no batch is told and asked again;
// Enter accepts the size and the lot.
#include "ui/print/BatchSizeDialog.h"

#include "ScriptedPrompter.h"
#include "core/calc/Calculate.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <functional>

class BatchSizeDialogTest : public QObject {
    Q_OBJECT
private slots:
    void refusedSizeIsToldAndAskedAgain()
    {
        tintora::FormulaSheet formula;
        formula.setCell(tintora::Column::Material, 1, "water");
        formula.setCell(tintora::Column::Description, 1, "Water");
        formula.setCell(tintora::Column::Weight, 1, "10");
        formula.row(1).RowKind = true;
        formula.row(1).props.Spec = 1;
        tintora::Calculate(formula);
        tintora::testing::ScriptedPrompter prompter;
        const std::function<void(QString, QString, std::function<void()>)> answer
            = [](QString size, QString lot, std::function<void()> next) {
                  QTimer::singleShot(0, [=] {
                      QWidget* dialog = QApplication::activeModalWidget();
                      QVERIFY(dialog != nullptr);
                      const auto edits = dialog->findChildren<QLineEdit*>();
                      QCOMPARE(edits.size(), 2);
                      edits[0]->setText(size);
                      edits[1]->setText(lot);
                      QTest::keyClick(edits[0], Qt::Key_Return);
                      if (next)
                          next();
                  });
              };
        answer("200000", "", [&] { answer("500", "L-17", nullptr); });
        const auto request = askBatchSize(nullptr, formula, prompter);
        QVERIFY(request.has_value());
        QCOMPARE(request->plan.batch.box(tintora::PropertyBox::WeightBox), 500.0);
        QCOMPARE(request->lot, std::string("L-17"));
        QCOMPARE(prompter.shown.size(), std::size_t(1));
        QCOMPARE(QString::fromStdString(prompter.shown[0].text),
            QStringLiteral("water would weigh more than the row limit of 99999.999 lb. "
                           "The largest batch that fits is 99999.999 lb."));
    }
};

QTEST_MAIN(BatchSizeDialogTest)
#include "BatchSizeDialogTest.moc"
