#pragma once

#include <QString>

class CRandomInput;
class QFileDialog;

// Answers the program's file dialogs in place of the user, at random: cancelled, or a
// name in one temporary folder (nothing is ever written elsewhere). Opening takes a
// file saved earlier, a missing one, or a new file of random lines, most of them with
// names the Table page shows so that values and marks land in its rows.
class CFileAnswers {
public:
    CFileAnswers(CRandomInput& input, QString folder);
    // Installs itself as the file dialogs' test hook; the destructor removes it.
    void Install();
    ~CFileAnswers();
    CFileAnswers(const CFileAnswers&) = delete;
    CFileAnswers& operator=(const CFileAnswers&) = delete;

    int Answered() const { return m_nAnswered; }

private:
    QString Answer(QFileDialog& dialog);
    QString WriteRandomFile(const QFileDialog& dialog);

    CRandomInput& m_input;
    QString m_strFolder;
    int m_nAnswered = 0;
    bool m_bInstalled = false;
};
