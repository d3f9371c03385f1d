-- What the database itself committed to the queue, for the soak
-- (tests/stress) and the cluster test (tests/e2e) to hold against what their
-- terminals received: a row lost is in queue_journal and never reached its
-- terminal; a row marked and not delivered is in marked_journal and never
-- reached it. Each trigger writes in the transaction that queues or marks,
-- so a journal row exists exactly when that transaction committed, whatever
-- the writer or a killed web node believed.
CREATE TABLE queue_journal (id INTEGER, ecf VARCHAR(4), tabela VARCHAR(20), chave0 VARCHAR(30));
CREATE TABLE marked_journal (id INTEGER, ecf VARCHAR(4), tabela VARCHAR(20), chave0 VARCHAR(30));
SET TERM ^ ;
CREATE TRIGGER integecf_queue_journal FOR integecf ACTIVE AFTER INSERT POSITION 20 AS
BEGIN
  INSERT INTO queue_journal VALUES (NEW.id, NEW.ecf, NEW.tabela, NEW.chave0);
END^
CREATE TRIGGER integecf_marked_journal FOR integecf ACTIVE AFTER UPDATE POSITION 20 AS
BEGIN
  IF (NEW.atualizou = 'X') THEN
    INSERT INTO marked_journal VALUES (NEW.id, NEW.ecf, NEW.tabela, NEW.chave0);
END^
SET TERM ; ^
