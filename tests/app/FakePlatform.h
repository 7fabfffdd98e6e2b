#pragma once

#include "app/Platform.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

// Records every box and question and answers from a script; nothing waits on a person.
class FakeDialogs : public UserDialogs
{
public:
    struct Box
    {
        QString kind; // "inform", "ask", "plain"
        QString caption;
        QString text;
        QWidget* owner = nullptr;
    };
    QList<Box> boxes;
    QList<bool> answers;         // for Ask, in order; No when empty
    QString fileToOpen;          // OpenFile's answer
    QString folderToPick;        // PickFolder's answer
    QString fileToSave;          // SaveFile's answer
    QStringList filters;         // filters the file pickers were given
    std::function<void()> onBox; // runs while a box "is open"

    void Inform(QWidget* owner, const QString& caption, const QString& text) override
    {
        boxes += {"inform", caption, text, owner};
        if (onBox) {
            onBox();
        }
    }
    bool Ask(QWidget* owner, const QString& caption, const QString& text) override
    {
        boxes += {"ask", caption, text, owner};
        if (onBox) {
            onBox();
        }
        return answers.isEmpty() ? false : answers.takeFirst();
    }
    void Plain(QWidget* owner, const QString& text) override
    {
        boxes += {"plain", QString(), text, owner};
    }
    QString OpenFile(QWidget*, const QString& filter) override
    {
        filters += filter;
        return fileToOpen;
    }
    QString PickFolder(QWidget*, const QString& title) override
    {
        filters += title;
        return folderToPick;
    }
    QString SaveFile(QWidget*, const QString&, const QString& filter, const QString&) override
    {
        filters += filter;
        return fileToSave;
    }
    QStringList Texts() const
    {
        QStringList t;
        for (const Box& b : boxes) {
            t += b.caption + ": " + b.text;
        }
        return t;
    }
};

class FakeShell : public Shell
{
public:
    QStringList opened;
    void Open(const QString& target) override { opened += target; }
};

class FakePower : public PowerControl
{
public:
    int powerOffs = 0;
    void PowerOff() override { ++powerOffs; }
};
